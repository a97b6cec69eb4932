"""The printer settings page's skin: the printer selector, then three cards
in a scroll area (the tear, cut and peel modes; the printer's own settings;
the common actions and the serial port) and the page's buttons in a row
that stays in view.

Each option pair sits in its own container, so the two options exclude each
other and no other pair."""
from make_skins import w, label, button, selector, write, spacer, grid, caption, pair, H, V

STYLE = """
QScrollArea#SettingsScroll { background: transparent; border: none; }
QWidget#SettingsBody { background: transparent; }
QLabel[role="cardTitle"] { font-weight: 600; color: #1F3A5F; }
QLabel[role="unit"] { color: #5A6B7F; }
QPushButton[role="help"] {
  min-width: 22px; max-width: 22px; min-height: 22px; max-height: 22px;
  padding: 0; border-radius: 11px; font-weight: 700;
}
QWidget#SPageButtons QPushButton { padding-left: 12px; padding-right: 12px; }
QLabel#PosImageLabel { image: url(skin:images/settings_top_to_bottom.png); }
QLabel#RevImageLabel { image: url(skin:images/settings_bottom_to_top.png); }
"""


def unit(name, text="像素点"):
    return label(name, text, "unit")


def edit(name):
    return w("QLineEdit", name, {"minimumSize": ("size", 70, 0), "maximumSize": ("size", 90, 16777215)})


def combo(name, width=130):
    # As wide as its longest entry at least, in whichever language it shows.
    return w("QComboBox", name, {"minimumSize": ("size", width, 0),
                                 "sizePolicy": ("policy", "Expanding", "Fixed"),
                                 "sizeAdjustPolicy": ("enum", "QComboBox::AdjustToContents")})


def help_button(name):
    return button(name, "?", "help", toolTip="")


def modes_card():
    return grid("SModesCard", (16, 12, 16, 12), 10, 8, [
        (0, 0, caption("STearOffHintLabel", "撕纸模式")),
        (0, 1, pair("STearOffPair", ("STearOffEnableOp", "开启"), ("STearOffDisableOp", "关闭"))),
        (0, 2, help_button("STearOffHelpBtn")),
        (0, 4, caption("STearOffsetLabel", "撕纸偏移：")),
        (0, 5, edit("STearOffsetEdit")),
        (0, 6, unit("STearOffsetUnitLabel")),
        (1, 0, caption("SCutterHintLabel", "切纸模式")),
        (1, 1, pair("SCutterPair", ("SCutterEnableOp", "开启"), ("SCutterDisableOp", "关闭"))),
        (1, 2, help_button("SCutterHelpBtn")),
        (1, 4, caption("SCuttingOffsetLabel", "切纸偏移：")),
        (1, 5, edit("SCuttingOffsetEdit")),
        (1, 6, unit("SCuttingOffsetUnitLabel")),
        (2, 4, caption("SCuttingPapeNumHintLabel", "切纸频率：")),
        (2, 5, edit("SCuttingPapeNumEdit")),
        (2, 6, unit("SCuttingPapeNumUNITLabel", "行")),
        (3, 4, caption("SCutterStopPosHintLabel", "刀片停止延时：")),
        (3, 5, edit("SCutterStopPosEdit")),
        (3, 6, unit("SCutterStopPosUnitLabel", "毫秒")),
        (4, 0, caption("SPeelOffHintLabel", "剥纸模式")),
        (4, 1, pair("SPeelOffPair", ("SPeelOffEnableOp", "开启"), ("SPeelOffDisableOp", "关闭"))),
        (4, 2, help_button("SPeelOffHelpBtn")),
        (4, 4, caption("SPeelingOffsetLabel", "剥纸偏移：")),
        (4, 5, edit("SPeelingOffsetEdit")),
        (4, 6, unit("SPeelingOffsetUnitLabel")),
    ], stretch_col="0,0,0,1,0,0,0")


def printer_card():
    # One container for both options, so they exclude each other.
    picture = lambda name: w("QLabel", name, {"minimumSize": ("size", 28, 28),
                                              "maximumSize": ("size", 28, 28)})
    direction = grid("SDirectionBox", (0, 0, 0, 0), 6, 2, [
        (0, 0, w("QRadioButton", "SPositiveOp", {"text": "正向"})), (0, 1, picture("PosImageLabel")),
        (1, 0, w("QRadioButton", "SReverseOp", {"text": "反向"})), (1, 1, picture("RevImageLabel")),
        (0, 2, spacer()),
    ], card=False, stretch_col="0,0,1")

    def offset(name, unit_name):
        return w("QWidget", name + "Box", {}, (H, (0, 0, 0, 0), 6), [edit(name), unit(unit_name), spacer()])

    settings = grid("SPrinterGrid", (0, 0, 0, 0), 10, 8, [
        (0, 0, caption("SDarkNessHintLabel", "打印黑度：")), (0, 1, combo("SDarkNessCombo")),
        (1, 0, caption("SPrintingSpeedHintLabel", "打印速度：")), (1, 1, combo("SPrintingSpeedCombo")),
        (2, 0, caption("SPrintModeLabel", "打印方式：")), (2, 1, combo("SPrintModeCombo")),
        (3, 0, caption("SMediaSensorsLabel", "传感器类型：")), (3, 1, combo("SMediaSensorsCombo")),
        (4, 0, caption("SMediaHeiLabel", "纸张高度取值：")), (4, 1, combo("SMediaHeiCombo")),
        (5, 0, caption("SDetectThLabel", "纸张探测阈值:")), (5, 1, combo("SDetectThCombo")),
        (0, 3, caption("SPrinterLanguageHintLabel", "语      言：")),
        (0, 4, pair("SLanguagePair", ("SChiOp", "中文"), ("SEngOp", "英文"))),
        (1, 3, caption("SDireSettingHintLabel", "打印方向：")), (1, 4, direction),
        (2, 3, caption("SVerticalOffsetHintLabel", "垂直偏移：")),
        (2, 4, offset("SVerticalOffsetEdit", "SVerticalOffsetUnitLabel")),
        (3, 3, caption("SHorizontalOffsetLabel", "水平偏移：")),
        (3, 4, offset("SHorizontalOffsetEdit", "SHorizontalOffsetUnitLabel")),
        (4, 3, caption("SPositiongingOffsetLabel", "定位偏移：")),
        (4, 4, offset("SPositiongingOffsetEdit", "SPositiongingOffsetUnitLabel")),
        (5, 3, caption("SCalibrationLenLabel", "校准走纸长度：")),
        (5, 4, offset("SCalibrationLenEdit", "SCalibrationLenUnitLabel")),
        (6, 0, w("QWidget", "AddContinPrintHintBox", {}, (H, (0, 0, 0, 0), 6), [
            caption("AddContinPrintHintLabel", "补/续打设置"), help_button("AddContinPrintHelpBtn")]), 1, 2),
        (6, 3, pair("SAfterErrorPair", ("AddContinPrintEnableOp", "  补打+续打"),
                    ("ContinPrintEnableOp", "  仅续打")), 1, 2),
        (7, 3, pair("SResumeFeedPair", ("PrintBlankEnableOp", "  先进纸，再打印"),
                    ("PrintBlankDisableOp", "  直接打印")), 1, 2),
    ], card=False, stretch_col="0,0,1,0,2")
    return w("QFrame", "SPrinterCard", {"role": ("dyn", "card")}, (V, (16, 12, 16, 12), 8), [
        label("SPrinterSetHintLabel", "打印机设置", "cardTitle"), settings])


def common_card():
    return w("QFrame", "SCommonCard", {"role": ("dyn", "card")}, (V, (16, 12, 16, 12), 8), [
        label("SCommandsLabel", "常用设置", "cardTitle"),
        w("QWidget", "SCommonButtons", {}, (H, (0, 0, 0, 0), 10), [
            button("SMediaCalibratioBtn", "纸张探测校准", "secondary"),
            button("SAdvResetBtn", "恢复出厂设置", "secondary"),
            button("SClearAllBtn", "清除缓存", "secondary"),
            button("SPrintSelfCheckPageBtn", "打印自检页", "secondary"),
            spacer(),
        ]),
        w("QWidget", "SSerialPortRow", {}, (H, (0, 0, 0, 0), 10), [
            caption("SSerialPortLabel", "串口信息"),
            combo("SBoudRateCombo", 100), combo("SParityBitCombo", 100), combo("SDataBitCombo", 80),
            spacer(),
        ]),
    ])


def build():
    body = w("QWidget", "SettingsBody", {}, (V, (0, 0, 4, 0), 10),
             [modes_card(), printer_card(), common_card(), spacer(False)])
    scroll = w("QScrollArea", "SettingsScroll", {"widgetResizable": True,
                                                  "frameShape": ("enum", "QFrame::NoFrame"),
                                                  "horizontalScrollBarPolicy": ("enum", "Qt::ScrollBarAlwaysOff")},
               None, [body])
    buttons = w("QWidget", "SPageButtons", {}, (H, (0, 0, 0, 0), 8), [
        button("SAdvResetSetting", "重置页面设置", "secondary"),
        spacer(),
        button("SAdvGetInfoFromPrinter", "从打印机获取"),
        button("SAdvSaveConfigToINIBtn", "保存配置", "secondary"),
        button("SAdvGetInfoFormINIBtn", "使用配置文件设置", "secondary"),
        button("SAdvSendBtn", "发送到打印机"),
    ])
    top = w("QWidget", "PageRoot", {"geometry": ("rect", 0, 0, 739, 640), "styleSheet": STYLE},
            (V, (18, 14, 18, 14), 10), [*selector("AdvPC", "Adv"), scroll, buttons])
    write("PrinterConfigSkin.ui", top)
