"""The storage page's skin: the printer selector, the command console and the
file sender side by side, and the three stored-object lists in one card.

The frame leaves a page about 640 px of height, so the page has no title of
its own (the tab names it) and the list buttons are a size smaller than the
page's main buttons."""
from make_skins import w, label, button, selector, write, spacer, grid, caption, H, V

# Lists, the console box and the list buttons have no rule in the common
# style sheet; the page keeps its own beside its controls.
STYLE = """
QTextEdit#CMDRichEdit, QListWidget {
  background: white; border: 1px solid #B8C4D3; border-radius: 4px;
}
QTextEdit#CMDRichEdit:focus, QListWidget:focus { border: 1px solid #2A7DE1; }
QTextEdit#CMDRichEdit { padding: 2px; font-family: monospace; }
QListWidget { padding: 2px; outline: none; }
QListWidget::item { padding: 3px 6px; border-radius: 3px; }
QListWidget::item:selected { background: #2A7DE1; color: white; }
QFrame#FMStoredCard QPushButton { padding: 3px 8px; min-height: 18px; }
QLabel[role="listTitle"] { font-weight: 600; color: #1F3A5F; }
"""


def console_card():
    return w("QFrame", "FMConsoleCard", {"role": ("dyn", "card")}, (V, (14, 12, 14, 12), 8), [
        w("QTextEdit", "CMDRichEdit", {"acceptRichText": False, "tabChangesFocus": True,
                                       "minimumSize": ("size", 0, 60),
                                       "toolTip": "此编辑框用于输入打印机指令"}),
        w("QWidget", "FMConsoleButtons", {}, (H, (0, 0, 0, 0), 0), [
            spacer(), button("FMSendCommandBtn", "发送指令到打印机")]),
    ])


def file_card():
    return grid("FMFileCard", (14, 12, 14, 12), 8, 8, [
        (0, 0, caption("FMFileTypeHintLabel", "类型")),
        (0, 1, w("QComboBox", "FileType", {"minimumSize": ("size", 130, 0)})),
        (0, 2, button("OpenFileBtn", "浏览文件", "secondary")),
        (1, 0, caption("FMFilePathHintLabel", "路径")),
        (1, 1, w("QLineEdit", "FileNameEdit", {}), 1, 2),
        (2, 0, caption("FMRecHintLabel", "识别名称")),
        (2, 1, w("QLineEdit", "FNIDEdit", {})),
        (2, 2, w("QCheckBox", "StoreGraphicOp", {
            "text": "存储",
            "toolTip": "若要将图片存储到打印机，点击“发送文件到打印机”按钮前请务必勾选复选框"})),
        (3, 1, w("QWidget", "FMFileButtons", {}, (H, (0, 0, 0, 0), 0), [
            spacer(), button("FMSendFileBtn", "发送文件到打印机")]), 1, 2),
        # Shown by the window while a file goes out.
        (4, 0, w("QProgressBar", "FMTransferBar", {"visible": False, "textVisible": True}), 1, 3),
    ])


def stored_column(kind, hint_name, hint, list_name, names):
    get, delete, clear, print_ = names
    return w("QWidget", f"FM{kind}Column", {}, (V, (0, 0, 0, 0), 6), [
        label(hint_name, hint, "listTitle"),
        w("QListWidget", list_name, {"minimumSize": ("size", 0, 90)}),
        button(get[0], get[1]),
        button(delete[0], delete[1], "secondary"),
        button(clear[0], clear[1], "secondary"),
        button(print_[0], print_[1], "secondary"),
    ])


def stored_card():
    return w("QFrame", "FMStoredCard", {"role": ("dyn", "card")}, (H, (14, 12, 14, 12), 14), [
        stored_column("Form", "FMFormListHintLabel", "模板清单", "FormList", [
            ("GetFormListBtn", "获取模板清单"), ("DelSelFormBtn", "删除选定的模板"),
            ("ClearAllFormBtn", "清除所有模板"), ("PrintSelFormBtn", "打印选定的模板")]),
        stored_column("Font", "FMPicListHintLabel", "字体清单", "FontList", [
            ("GetFontListBtn", "获取字体清单"), ("DelSelFontBtn", "删除选定的字体"),
            ("ClearAllFontBtn", "删除所有字体"), ("PrintSelFontBtn", "打印选定的字体")]),
        stored_column("Graphic", "FMGraphicListHintLabel", "图形清单", "GraphicList", [
            ("GetGraphicListBtn", "获取图形清单"), ("DelSelGraphicBtn", "删除选定的图形"),
            ("ClearAllGraphicBtn", "清除所有图形"), ("PrintSelGraphicBtn", "打印选定的图形")]),
    ])


def build():
    senders = w("QWidget", "FMSenders", {}, (H, (0, 0, 0, 0), 10), [console_card(), file_card()])
    top = w("QWidget", "PageRoot", {"geometry": ("rect", 0, 0, 739, 640), "styleSheet": STYLE},
            (V, (14, 10, 14, 10), 8), [
        *selector("FM", "FM"),
        senders,
        stored_card(),
    ])
    write("FileManagementSkin.ui", top)
