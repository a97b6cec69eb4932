"""The firmware page's skin: the printer selector, a card with the printer's
firmware version and ID and "Get Info", and a card with the firmware list,
whose rows the program adds (a folder row opens and closes its files, each
file row has its "Upgrade" button), and the progress of an upload below it.

The list is the program's own container ("FirmwareList"); its rows take
their look from the rules here."""
from make_skins import w, label, button, selector, write, spacer, prop, H, V

STYLE = """
QLabel[role="listTitle"] { font-weight: 600; color: #1F3A5F; }
QLabel[role="value"] { font-size: 15px; font-weight: 600; color: #1F3A5F; }
QScrollArea#FUFirmwarelist {
  background: white; border: 1px solid #B8C4D3; border-radius: 4px;
}
QWidget#FUFirmwareRows { background: white; }
QFrame[role="firmwareRow"] { background: white; border-bottom: 1px solid #E3E8EF; }
QFrame[role="firmwareFolderRow"] { background: #F1F1F1; border-bottom: 1px solid #E3E8EF; }
QLabel[role="firmwareName"] { font-size: 15px; color: #263238; }
QFrame[role="firmwareFolderRow"] QLabel[role="firmwareName"] { font-weight: 600; color: #1F3A5F; }
QPushButton[role="listButton"] {
  min-width: 70px; min-height: 27px; max-height: 27px; padding: 0px 10px;
  background: #E3E8EF; color: #666666; font-size: 15px; border-radius: 4px;
}
QPushButton[role="listButton"]:hover { background: #D5DDE7; color: #1F3A5F; }
QPushButton[role="listButton"]:pressed { background: #2A7DE1; color: white; }
QPushButton[role="listButton"]:disabled { background: #EEF1F5; color: #AAB4C0; }
QLabel#FUTransferLabel { color: #5A6B7F; }
"""


def info_card():
    cells = [
        (0, 0, label("FUFirmwareVerHintLabel", "固件版本号：", "caption")),
        (0, 1, label("FUFirmwareVersionLabel", "", "value", minimumSize=("size", 120, 0))),
        (0, 2, label("FUPartNumberHintLabel", "固件识别号：", "caption")),
        (0, 3, label("FUPartNumberLabel", "", "value", minimumSize=("size", 140, 0))),
        (0, 4, spacer()),
        (0, 5, button("FUGetInfoBtn", "获取信息", toolTip="获取打印机固件版本和料号信息")),
    ]
    items = "".join(f'<item row="{r}" column="{c}">{x}</item>' for r, c, x in cells)
    lay = ('<layout class="QGridLayout">'
           + "".join(prop(k, v) for k, v in zip(
               ("leftMargin", "topMargin", "rightMargin", "bottomMargin"), (16, 12, 16, 12)))
           + prop("horizontalSpacing", 10) + prop("verticalSpacing", 8) + items + "</layout>")
    return f'<widget class="QFrame" name="FUInfoCard">{prop("role", ("dyn", "card"))}{lay}</widget>'


def list_card():
    return w("QFrame", "FUListCard", {"role": ("dyn", "card")}, (V, (16, 12, 16, 12), 8), [
        label("FUFirmwareListLabel", "可升级固件列表：", "listTitle"),
        w("FirmwareList", "FUFirmwarelist", {"minimumSize": ("size", 0, 200),
                                              "sizePolicy": ("policy", "Expanding", "Expanding")}),
        # Shown by the window while a file goes out, and what came of it after.
        w("QProgressBar", "FUTransferBar", {"visible": False, "textVisible": True}),
        label("FUTransferLabel", "", wordWrap=True, visible=False),
    ])


def build():
    top = w("QWidget", "PageRoot", {"geometry": ("rect", 0, 0, 739, 640), "styleSheet": STYLE},
            (V, (14, 10, 14, 10), 8), [
        *selector("FU", "FU"),
        info_card(),
        list_card(),
    ])
    write("FirmwareUpgradeSkin.ui", top, custom=["FirmwareList"])
