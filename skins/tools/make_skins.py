#!/usr/bin/env python3
"""Writes the window skins (Qt Designer .ui files) into the skins folder.

The pages and windows share a few shapes (the printer selector, the caption
bar); describing them once here keeps the five selector pages alike. The
written .ui files are committed and can be edited in Qt Designer; run this
again only to regenerate them all.
"""
import glob
import importlib
import os
import sys
from xml.sax.saxutils import escape

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")


def prop(name, value):
    if isinstance(value, bool):
        return f'<property name="{name}"><bool>{"true" if value else "false"}</bool></property>'
    if isinstance(value, int):
        return f'<property name="{name}"><number>{value}</number></property>'
    if isinstance(value, tuple) and value[0] == "size":
        return (f'<property name="{name}"><size><width>{value[1]}</width>'
                f'<height>{value[2]}</height></size></property>')
    if isinstance(value, tuple) and value[0] == "rect":
        x, y, w, h = value[1:]
        return (f'<property name="{name}"><rect><x>{x}</x><y>{y}</y><width>{w}</width>'
                f'<height>{h}</height></rect></property>')
    if isinstance(value, tuple) and value[0] == "enum":
        return f'<property name="{name}"><enum>{value[1]}</enum></property>'
    if isinstance(value, tuple) and value[0] == "set":
        return f'<property name="{name}"><set>{value[1]}</set></property>'
    if isinstance(value, tuple) and value[0] == "policy":
        return (f'<property name="{name}"><sizepolicy hsizetype="{value[1]}" vsizetype="{value[2]}">'
                '<horstretch>0</horstretch><verstretch>0</verstretch></sizepolicy></property>')
    if isinstance(value, tuple) and value[0] == "dyn":
        return f'<property name="{name}" stdset="0"><string>{escape(value[1])}</string></property>'
    return f'<property name="{name}"><string>{escape(value)}</string></property>'


def w(cls, name, props=None, layout=None, children=None):
    props = props or {}
    body = "".join(prop(k, v) for k, v in props.items())
    if layout is not None:
        body += layout_xml(layout, children or [])
    elif children:
        body += "".join(children)
    return f'<widget class="{cls}" name="{name}">{body}</widget>'


def layout_xml(layout, children):
    kind, margins, spacing = layout
    m = "".join(prop(k, v) for k, v in zip(
        ("leftMargin", "topMargin", "rightMargin", "bottomMargin"), margins))
    items = "".join(f"<item>{c}</item>" for c in children)
    return f'<layout class="{kind}">{m}{prop("spacing", spacing)}{items}</layout>'


_spacers = [0]


def spacer(horizontal=True, size=0):
    _spacers[0] += 1
    orient = "Qt::Horizontal" if horizontal else "Qt::Vertical"
    policy = "QSizePolicy::Fixed" if size else "QSizePolicy::Expanding"
    wh = (size, 0) if horizontal else (0, size)
    return (f'<spacer name="spacer{_spacers[0]}">'
            f'<property name="orientation"><enum>{orient}</enum></property>'
            f'<property name="sizeType"><enum>{policy}</enum></property>'
            f'<property name="sizeHint" stdset="0"><size><width>{wh[0]}</width>'
            f'<height>{wh[1]}</height></size></property></spacer>')


def label(name, text="", role=None, **extra):
    props = {"text": text}
    if role:
        props["role"] = ("dyn", role)
    props.update(extra)
    return w("QLabel", name, props)


def button(name, text="", role=None, **extra):
    props = {"text": text}
    if role:
        props["role"] = ("dyn", role)
    props.update(extra)
    return w("QPushButton", name, props)


def caption(name, text=""):
    return label(name, text, "caption")


def pair(name, first, second):
    """Two options that exclude each other: (name, text[, checked]) each."""
    def option(entry):
        props = {"text": entry[1]}
        if len(entry) > 2:
            props["checked"] = entry[2]
        return w("QRadioButton", entry[0], props)
    return w("QWidget", name, {}, (H, (0, 0, 0, 0), 12), [option(first), option(second), spacer()])


def write(file, top, custom=()):
    customs = "".join(
        f"<customwidget><class>{c}</class><extends>QWidget</extends>"
        f"<header>{c}.h</header><container>1</container></customwidget>" for c in custom)
    xml = ('<?xml version="1.0" encoding="UTF-8"?>\n<ui version="4.0">'
           f"<class>{file[:-3]}</class>{top}"
           + (f"<customwidgets>{customs}</customwidgets>" if customs else "")
           + "<resources/><connections/></ui>\n")
    with open(os.path.join(OUT, file), "w", encoding="utf-8") as f:
        f.write(xml)
    # Spacer names count per file, so one skin's change leaves the others alone.
    _spacers[0] = 0


H, V = "QHBoxLayout", "QVBoxLayout"


def grid(name, margins, hspacing, vspacing, cells, card=True, stretch_col=None):
    """A widget with a grid layout, a card unless told otherwise; cells are
    (row, column, xml[, row span, column span])."""
    items = ""
    for cell in cells:
        row, col, xml = cell[:3]
        span = f' rowspan="{cell[3]}" colspan="{cell[4]}"' if len(cell) > 3 else ""
        items += f'<item row="{row}" column="{col}"{span}>{xml}</item>'
    stretch = f'<property name="columnStretch"><string>{stretch_col}</string></property>' \
        if stretch_col else ""
    lay = ('<layout class="QGridLayout">'
           + "".join(prop(k, v) for k, v in zip(
               ("leftMargin", "topMargin", "rightMargin", "bottomMargin"), margins))
           + prop("horizontalSpacing", hspacing) + prop("verticalSpacing", vspacing)
           + stretch + items + "</layout>")
    role = prop("role", ("dyn", "card")) if card else ""
    return f'<widget class="{"QFrame" if card else "QWidget"}" name="{name}">{role}{lay}</widget>'


def selector(dev, lab):
    """The printer selector: a head line with the chosen printer and its
    status, and the bar with the list that the drop button shows or hides."""
    head = w("QFrame", f"{lab}SelectorHead", {"role": ("dyn", "card")}, (H, (14, 10, 14, 10), 12), [
        w("QLabel", f"{dev}PortImage", {"role": ("dyn", "portIcon"), "minimumSize": ("size", 40, 40),
                                         "maximumSize": ("size", 40, 40)}),
        w("QWidget", f"{lab}SelectorNames", {}, (V, (0, 0, 0, 0), 2), [
            label(f"{lab}ConnectPrinterName", "当前未连接任何打印机", "model"),
            label(f"{lab}PritnerIsConnect", "未连接打印机", "status"),
        ]),
        spacer(),
        button(f"{dev}DropBtn", "", "drop", minimumSize=("size", 28, 28),
               maximumSize=("size", 28, 28), toolTip="隐藏或显示面板"),
    ])
    bar = w("QFrame", f"{dev}PrinterDropBar", {"role": ("dyn", "card")}, (H, (14, 10, 14, 10), 10), [
        label(f"{lab}PortTypeLabel", "通讯接口", "caption"),
        label(f"{lab}PortTypeNameLabel", "USB", "model"),
        spacer(True, 18),
        label(f"{lab}PortHintLabel", "端口", "caption"),
        w("QComboBox", f"{dev}Port", {"minimumSize": ("size", 300, 0),
                                      "sizeAdjustPolicy": ("enum", "QComboBox::AdjustToMinimumContentsLengthWithIcon")}),
        spacer(),
    ])
    return [head, bar]


def page(file, dev, lab, title, summary):
    body = w("QFrame", f"{lab}PageBody", {"role": ("dyn", "card")}, (V, (18, 16, 18, 16), 8), [
        label(f"{lab}PageSummary", summary, "pageSummary", wordWrap=True),
    ])
    top = w("QWidget", "PageRoot", {"geometry": ("rect", 0, 0, 739, 600)}, (V, (18, 14, 18, 14), 10), [
        label(f"{lab}PageTitle", title, "pageTitle"),
        *selector(dev, lab),
        body,
        spacer(False),
    ])
    write(file, top)


def frame():
    tabs = [("PrinterConfiguration", "功能设置"), ("SetPrinterNic", "网络设置"),
            ("FontDownload", "字体下载"), ("FirmwareUpgrade", "固件升级"),
            ("FileManagement", "文件管理"), ("SystermConfiguration", "系统选项")]
    pages = [("PrinterConfigSkin", "PrinterConfigPage"), ("PrinterNicSkin", "PrinterNicPage"),
             ("FontDownloadSkin", "FontDownloadPage"), ("FirmwareUpgradeSkin", "FirmwareUpgradePage"),
             ("FileManagementSkin", "FileManagementPage"), ("SysConfigSkin", "SysConfigPage")]
    caption = w("QWidget", "CaptionBar", {"minimumSize": ("size", 0, 44), "maximumSize": ("size", 16777215, 44)},
                (H, (12, 0, 6, 0), 8), [
        w("QLabel", "FrameLogo", {"minimumSize": ("size", 30, 30), "maximumSize": ("size", 30, 30)}),
        label("FrameTitle", "MarliX Vidodez Tool"),
        spacer(),
        button("Minbtn", "", minimumSize=("size", 36, 32), maximumSize=("size", 36, 32)),
        button("Closebtn", "", minimumSize=("size", 36, 32), maximumSize=("size", 36, 32)),
    ])
    tabbar = w("QWidget", "TabBar", {"minimumSize": ("size", 0, 46)}, (H, (6, 4, 6, 0), 2), [
        button(name, text, checkable=True, autoExclusive=True, checked=(i == 0),
               minimumSize=("size", 0, 40))
        for i, (name, text) in enumerate(tabs)
    ])
    stack = w("QStackedWidget", "switch", {}, None, [w(cls, name) for cls, name in pages])
    # The three texts fit the window's width in both languages, whole.
    footer = w("QWidget", "FooterBar", {"minimumSize": ("size", 0, 30)}, (H, (10, 4, 10, 4), 8), [
        label("VerNote", "适用打印机固件版本：V1.52及更高版本"),
        spacer(),
        label("PhoneContenLabel", "服务热线：400-820-1760"),
        spacer(),
        label("CompanyLabel", "玛力克斯打印系统有限公司"),
    ])
    top = w("QWidget", "FrameRoot", {"geometry": ("rect", 0, 0, 739, 763)}, (V, (0, 0, 0, 0), 0),
            [caption, tabbar, stack, footer])
    write("skin.ui", top, custom=[c for c, _ in pages])


def system_page():
    settings = w("QFrame", "SysSettingsCard", {"role": ("dyn", "card")}, ("QGridLayout", (18, 16, 18, 16), 12), [])
    grid = ('<layout class="QGridLayout">' + prop("leftMargin", 18) + prop("topMargin", 16)
            + prop("rightMargin", 18) + prop("bottomMargin", 16) + prop("horizontalSpacing", 16)
            + prop("verticalSpacing", 12)
            + f'<item row="0" column="0">{label("SysUILanguageText", "界面语言设置", "caption")}</item>'
            + f'<item row="0" column="1">{w("QComboBox", "LanguageCmb", {"minimumSize": ("size", 200, 0)})}</item>'
            + f'<item row="1" column="0">{label("SysUnitText", "单位", "caption")}</item>'
            + f'<item row="1" column="1">{w("QComboBox", "UnitCmb", {"minimumSize": ("size", 200, 0)})}</item>'
            + f'<item row="0" column="2">{spacer()}</item>'
            + "</layout>")
    settings = f'<widget class="QFrame" name="SysSettingsCard">{prop("role", ("dyn", "card"))}{grid}</widget>'
    intro = w("QFrame", "SysIntroCard", {"role": ("dyn", "card")}, (V, (18, 16, 18, 16), 8), [
        label("SCMarlixInstrText", "", wordWrap=True, textFormat=("enum", "Qt::RichText"),
              alignment=("set", "Qt::AlignLeft|Qt::AlignTop")),
    ])
    buttons = w("QWidget", "SysButtons", {}, (H, (0, 0, 0, 0), 10), [
        spacer(),
        button("HelpBtn", "帮助", "secondary", minimumSize=("size", 110, 0)),
        button("AboutBtn", "关于", minimumSize=("size", 110, 0)),
    ])
    top = w("QWidget", "PageRoot", {"geometry": ("rect", 0, 0, 739, 600)}, (V, (18, 14, 18, 14), 12), [
        label("SysPageTitle", "系统选项", "pageTitle"), settings, intro, buttons, spacer(False)])
    write("SysConfigSkin.ui", top)


def caption_bar(title_name, title, close_name):
    return w("QWidget", "CaptionBar", {"minimumSize": ("size", 0, 36), "maximumSize": ("size", 16777215, 36)},
             (H, (14, 0, 4, 0), 6), [
        label(title_name, title), spacer(),
        button(close_name, "", minimumSize=("size", 32, 28), maximumSize=("size", 32, 28)),
    ])


def message_box():
    text = w("QWidget", "MsgBoxBody", {}, (V, (24, 18, 24, 6), 0), [
        label("MsgBoxText", "", wordWrap=True, textFormat=("enum", "Qt::RichText"),
              alignment=("set", "Qt::AlignLeft|Qt::AlignVCenter"))])
    # The buttons sit at fixed places that the program moves them to.
    buttons = w("QWidget", "MsgBoxButtonBar", {"minimumSize": ("size", 436, 52), "maximumSize": ("size", 436, 52)},
                None, [
        button("MsgBoxOKBtn", "确定", geometry=("rect", 218, 10, 96, 32)),
        button("MsgBoxCancelBtn", "取消", "secondary", geometry=("rect", 325, 10, 96, 32)),
    ])
    top = w("QWidget", "BoxRoot", {"geometry": ("rect", 0, 0, 436, 286)}, (V, (0, 0, 0, 0), 0), [
        caption_bar("MsgBoxTitle", "提示信息", "MsgBoxCloseBtn"), text, buttons])
    write("MessageBox.ui", top)


def wait_window():
    # The operator may close the window before its countdown ends.
    top = w("QWidget", "BoxRoot", {"geometry": ("rect", 0, 0, 420, 148),
                                   "minimumSize": ("size", 420, 138)}, (V, (0, 0, 0, 0), 0), [
        caption_bar("WaitTitle", "", "LabelUI1"),
        w("QWidget", "WaitBody", {}, (H, (18, 14, 18, 18), 12), [
            w("QLabel", "WaitIcon", {"role": ("dyn", "portIcon"), "minimumSize": ("size", 36, 36),
                                    "maximumSize": ("size", 36, 36)}),
            label("WaitWndHintText", "", wordWrap=True, textFormat=("enum", "Qt::RichText")),
        ]),
    ])
    write("WaitWnd.ui", top)


def about():
    body = w("QWidget", "AboutBody", {}, (H, (24, 18, 24, 8), 18), [
        w("QLabel", "AboutLogo", {"role": ("dyn", "logo"), "minimumSize": ("size", 64, 64),
                                 "maximumSize": ("size", 64, 64)}),
        w("QWidget", "AboutLines", {}, (V, (0, 0, 0, 0), 8), [
            label("AoutCopyrightText", "MarliX Vidodez Tool 3.1.3", wordWrap=True,
                  textFormat=("enum", "Qt::RichText")),
            label("SiteLabel", "", textFormat=("enum", "Qt::RichText")),
            label("AboutPhoneLabel", ""),
            w("QWidget", "EmailRow", {}, (H, (0, 0, 0, 0), 6), [
                label("EmailLabel", "邮箱："), label("EmailText", "", textInteractionFlags=("set", "Qt::TextSelectableByMouse")), spacer()]),
            spacer(False),
        ]),
    ])
    buttons = w("QWidget", "AboutButtons", {}, (H, (24, 0, 24, 18), 0), [
        spacer(), button("AOKBtn", "确认", minimumSize=("size", 110, 0))])
    top = w("QWidget", "BoxRoot", {"geometry": ("rect", 0, 0, 511, 371)}, (V, (0, 0, 0, 0), 0), [
        caption_bar("titleL", "关于", "AClosebtn"), body, buttons])
    write("AboutWnd.ui", top)


def main():
    frame()
    system_page()
    message_box()
    wait_window()
    about()
    # The pages and dialogs with many controls describe themselves in their
    # own modules beside this one (*_skin.py, each with a build()).
    here = os.path.dirname(os.path.abspath(__file__))
    sys.path.insert(0, here)
    for name in sorted(glob.glob(os.path.join(here, "*_skin.py"))):
        importlib.import_module(os.path.basename(name)[:-3]).build()


if __name__ == "__main__":
    main()
