"""The font page's skin: the printer selector, the instructions with the
font set-up card on their right, and the chosen font's preview below.

Each option pair sits in its own container, so the two options exclude each
other and no other pair. The page shows VRLE and FLASH chosen at start, as
its model starts."""
from make_skins import w, label, button, selector, write, spacer, grid, caption, pair, H, V

STYLE = """
QLabel[role="cardTitle"] { font-weight: 600; color: #1F3A5F; }
QLabel#FDDownLoadInstructionsText { color: #37474F; }
QLabel#FDFontFamilyLabel { font-weight: 600; color: #1F3A5F; }
QLabel#FDFontFamilyLabel[warning="true"] { color: #C8102E; }
QLabel#FDFontPreview {
  background: white; border: 1px solid #D5DDE7; border-radius: 4px;
}
QProgressBar#FDTransferBar {
  border: 1px solid #B8C4D3; border-radius: 4px; background: white;
  text-align: center; min-height: 18px;
}
QProgressBar#FDTransferBar::chunk { background: #49C2EA; border-radius: 3px; }
"""


def combo(name, width):
    return w("QComboBox", name, {"minimumSize": ("size", width, 0),
                                 "sizeAdjustPolicy": ("enum", "QComboBox::AdjustToContents")})


def setup_card():
    path_row = w("QWidget", "FDFontPathRow", {}, (H, (0, 0, 0, 0), 8), [
        w("QLineEdit", "ShowFontPathEdit", {"readOnly": True, "minimumSize": ("size", 150, 0)}),
        button("BrowseFontBtn", "浏览字体", "secondary", toolTip="浏览字本地需下载的字体"),
    ])
    buttons = w("QWidget", "FDButtons", {}, (H, (0, 0, 0, 0), 10), [
        spacer(),
        button("PrintTestBtn", "打印测试", "secondary", enabled=False),
        button("DownLoadBtn", "下载字体", toolTip="下载字体到打印机"),
    ])
    form = grid("FDSetupGrid", (0, 0, 0, 0), 12, 10, [
        (0, 0, caption("FDFontPathHintLabel", "字体名：")), (0, 1, path_row),
        (1, 0, caption("FDFontIDHintLabel", "字体ID：")),
        (1, 1, w("QWidget", "FDFontIDRow", {}, (H, (0, 0, 0, 0), 0), [
            combo("FontIDCombo", 90), spacer()])),
        (2, 0, caption("FDCmdTypeHintLabel", "指令类型：")),
        (2, 1, pair("FDCmdTypePair", ("VRLEOp", "VRLE", True), ("VRLZOP", "VRLZ", False))),
        (3, 0, caption("FDStoreTypeHintLabel", "存储类型：")),
        (3, 1, pair("FDStoreTypePair", ("SDRAMOp", "SDRAM", False), ("FLASHOp", "FLASH", True))),
        (4, 0, caption("FDCodePageHintLabel", "代码页：")),
        (4, 1, w("QWidget", "FDCodePageRow", {}, (H, (0, 0, 0, 0), 0), [
            combo("FDCodePageCombo", 150), spacer()])),
        (5, 1, w("QCheckBox", "PrintToFileOp", {
            "text": "打印到文件",
            "toolTip": "选择此项，点击下载字体按钮，即可将文件打印到电脑桌面。"})),
    ], card=False, stretch_col="0,1")
    return w("QFrame", "FDSetupCard", {"role": ("dyn", "card")}, (V, (16, 12, 16, 12), 10), [
        label("FDDownLoadFontsSettingHintLabel", "字体下载设置", "cardTitle"),
        form,
        spacer(False),
        buttons,
        w("QProgressBar", "FDTransferBar", {"visible": False, "textVisible": True}),
    ])


def instructions_card():
    return w("QFrame", "FDInstructionsCard", {"role": ("dyn", "card"),
                                             "minimumSize": ("size", 230, 0),
                                             "maximumSize": ("size", 260, 16777215)},
             (V, (16, 12, 16, 12), 8), [
        label("FDDownLoadInstructionsHintLabel", "字体下载说明：", "cardTitle"),
        label("FDDownLoadInstructionsText", "", wordWrap=True, textFormat=("enum", "Qt::RichText"),
              alignment=("set", "Qt::AlignLeft|Qt::AlignTop")),
        spacer(False),
    ])


def preview_card():
    return w("QFrame", "FDPreviewCard", {"role": ("dyn", "card")}, (V, (16, 12, 16, 12), 8), [
        w("QWidget", "FDPreviewHead", {}, (H, (0, 0, 0, 0), 10), [
            label("FDPreviewHintLabel", "字体预览", "cardTitle"),
            label("FDFontFamilyLabel", ""),
            spacer(),
        ]),
        w("QLabel", "FDFontPreview", {"minimumSize": ("size", 0, 72),
                                      "maximumSize": ("size", 16777215, 72),
                                      "alignment": ("set", "Qt::AlignLeft|Qt::AlignVCenter")}),
    ])


def build():
    body = w("QWidget", "FDBody", {}, (H, (0, 0, 0, 0), 10), [instructions_card(), setup_card()])
    top = w("QWidget", "PageRoot", {"geometry": ("rect", 0, 0, 739, 640), "styleSheet": STYLE},
            (V, (14, 10, 14, 10), 8), [
        *selector("FD", "FD"),
        body,
        preview_card(),
        spacer(False),
    ])
    write("FontDownloadSkin.ui", top)
