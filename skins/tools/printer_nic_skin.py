"""The network page's skin: the printer selector, then the printer's wired
addresses and the Wi-Fi module's settings side by side, and the page's
instructions below them.

Two captions carry each other's text: NicGateWayHintLabel shows the port's
caption and NicNetPortHintLabel the gateway's, so each sits in the row its
text names. The frame leaves a page about 640 px of height, so the page has
no title of its own (the tab names it)."""
from make_skins import w, label, button, selector, write, spacer, grid, caption, H, V

STYLE = """
QLabel[role="cardTitle"] { font-weight: 600; color: #1F3A5F; }
QLabel[role="dot"] { color: #5A6B7F; font-weight: 700; }
QLineEdit[role="octet"] { padding: 4px 2px; qproperty-alignment: AlignCenter; }
QLineEdit:disabled { background: #EEF1F5; color: #8A97A8; }
QLabel#NicPingReplyLabel {
  font-family: "DejaVu Sans Mono", monospace; color: #1F3A5F;
  background: #F4F6F9; border: 1px solid #D5DDE7; border-radius: 4px; padding: 4px 6px;
}
QWidget#NicAddressButtons QPushButton, QWidget#NicWifiButtons QPushButton {
  padding-left: 12px; padding-right: 12px;
}
"""


def octets(group):
    """Four octet edits of one address, left to right, with dots between."""
    names = [f"Nic{group}Edit"] + [f"Nic{group}Edit{i}" for i in (1, 2, 3)]
    items = []
    for i, name in enumerate(names):
        if i:
            items.append(label(f"Nic{group}Dot{i}", ".", "dot"))
        items.append(w("QLineEdit", name, {"role": ("dyn", "octet"),
                                           "minimumSize": ("size", 44, 0),
                                           "maximumSize": ("size", 52, 16777215)}))
    items.append(spacer())
    return w("QWidget", f"Nic{group}Box", {}, (H, (0, 0, 0, 0), 3), items)


def combo(name):
    # As wide as its longest entry at least, in whichever language it shows.
    return w("QComboBox", name, {"minimumSize": ("size", 150, 0),
                                 "sizePolicy": ("policy", "Expanding", "Fixed"),
                                 "sizeAdjustPolicy": ("enum", "QComboBox::AdjustToContents")})


def address_card():
    rows = grid("NicAddressGrid", (0, 0, 0, 0), 10, 8, card=False, cells=[
        (0, 0, caption("NicIPAddressHintLabel", "IP地址：")), (0, 1, octets("IPAddress")),
        (1, 0, caption("NicSubNetMaskHintLabel", "子网掩码：")), (1, 1, octets("SubNetMask")),
        # Each of these two captions carries the other's name.
        (2, 0, caption("NicNetPortHintLabel", "默认网关：")), (2, 1, octets("GateWay")),
        (3, 0, caption("NicGateWayHintLabel", "网络端口：")),
        (3, 1, w("QWidget", "NicNetPortBox", {}, (H, (0, 0, 0, 0), 0), [
            w("QLineEdit", "NicNetPortEdit", {"minimumSize": ("size", 70, 0),
                                              "maximumSize": ("size", 80, 16777215)}),
            spacer()])),
        (4, 0, caption("DHCPLabel", "动态分配IP：")),
        (4, 1, w("QCheckBox", "DhcpSettingOp", {"text": "DHCP配置", "toolTip": "仅WiFi功能支持"})),
    ], stretch_col="0,1")
    buttons = w("QWidget", "NicAddressButtons", {}, (H, (0, 0, 0, 0), 8), [
        button("NicGetIPBtn", "获取IP地址", "secondary"),
        spacer(),
        button("NicPingNetBtn", "Ping", "secondary"),
    ])
    ping = label("NicPingReplyLabel", "", wordWrap=True,
                 alignment=("set", "Qt::AlignLeft|Qt::AlignTop"),
                 minimumSize=("size", 0, 44))
    return w("QFrame", "NicAddressCard", {"role": ("dyn", "card")}, (V, (16, 10, 16, 10), 8), [
        label("IPAddHintLabel", "IP地址设置", "cardTitle"), rows, buttons, ping, spacer(False)])


def wifi_card():
    rows = grid("NicWifiGrid", (0, 0, 0, 0), 10, 8, card=False, cells=[
        (0, 0, caption("WirelessModeLabel", "无线模式：")), (0, 1, combo("WirelessModeCombo")),
        (1, 0, caption("ChannelLabel", "网络信道：")), (1, 1, combo("ChannelCombo")),
        (2, 0, caption("SecurityModeLabel", "安全类型：")), (2, 1, combo("SecurityModeCombo")),
        (3, 0, caption("WifiNameLabel", "网络名称(SSID)：")),
        (3, 1, w("QLineEdit", "WifiNameEdit", {"minimumSize": ("size", 150, 0)})),
        (4, 0, caption("PasskeyLabel", "PSK密码：")),
        (4, 1, w("QLineEdit", "PasskeyEdit", {"minimumSize": ("size", 150, 0)})),
        (5, 1, w("QCheckBox", "CodingModeOp", {"text": "GBK-TO-UTF8"})),
    ], stretch_col="0,1")
    buttons = w("QWidget", "NicWifiButtons", {}, (H, (0, 0, 0, 0), 8), [
        button("RestoreFactoryBtn", "Wi-Fi 恢复出厂设置", "secondary"),
        spacer(),
        button("NicSettingBtn", "发送到打印机"),
    ])
    return w("QFrame", "NicWifiCard", {"role": ("dyn", "card")}, (V, (16, 10, 16, 10), 8), [
        w("QCheckBox", "WifiSettingOp", {"text": "Wi-Fi配置"}), rows, spacer(False), buttons])


def instructions_card():
    return w("QFrame", "NicInstructionsCard", {"role": ("dyn", "card")}, (V, (16, 10, 16, 10), 4), [
        label("WifiSettingLabel", "网络打印设置说明：", "cardTitle"),
        label("IPAdressLabel", "", wordWrap=True, textFormat=("enum", "Qt::RichText"),
              alignment=("set", "Qt::AlignLeft|Qt::AlignTop")),
    ])


def build():
    cards = w("QWidget", "NicCards", {}, (H, (0, 0, 0, 0), 10), [address_card(), wifi_card()])
    top = w("QWidget", "PageRoot", {"geometry": ("rect", 0, 0, 739, 640), "styleSheet": STYLE},
            (V, (14, 10, 14, 10), 8), [
        *selector("PN", "PN"),
        cards,
        instructions_card(),
        spacer(False),
    ])
    write("PrinterNicSkin.ui", top)
