"""The picture conversion dialog's skin: a fixed 590 x 580 window whose
controls sit at fixed places, the preview filling (324, 85) to (554, 290)."""
from make_skins import w, label, button, prop, write

WIDTH, HEIGHT = 590, 580

# Only this dialog's controls: the shared look comes from style.qss.
STYLE = """
QPushButton#PicClosebtn { border: none; border-radius: 4px; background: transparent;
  image: url(skin:images/close.png); padding: 8px; min-height: 0px; }
QPushButton#PicClosebtn:hover { background: #C8102E; }
QLabel#PicDialogTitleLabel { color: white; font-size: 15px; font-weight: 600; }
QLabel[role="section"] { color: #1F3A5F; font-size: 14px; font-weight: 600; }
QLabel#PPreviewLabel { background: white; border: 1px dashed #B8C4D3; border-radius: 4px; }
QLabel#PPreviewLabel[loaded="true"] { border: 1px solid #D5DDE7; }
QLabel#PPreviewLabel[loaded="false"] { image: url(skin:images/picture_empty.png); }
QLineEdit:disabled { background: #EEF1F5; color: #5A6B7F; }
QCheckBox::indicator { width: 16px; height: 16px; }
"""


def at(x, y, width, height):
    return ("rect", x, y, width, height)


def card(name, x, y, width, height):
    return w("QFrame", name, {"role": ("dyn", "card"), "geometry": at(x, y, width, height)})


def text(name, value, x, y, width, role="caption", height=28, **extra):
    return label(name, value, role, geometry=at(x, y, width, height), **extra)


def combo(name, x, y, width=160):
    return w("QComboBox", name, {"geometry": at(x, y, width, 30)})


def edit(name, x, y, width, enabled=True, max_length=None):
    props = {"geometry": at(x, y, width, 30)}
    if max_length:
        props["maxLength"] = max_length
    if not enabled:
        props["enabled"] = False
    return w("QLineEdit", name, props)


def size_rows():
    """Unit, resolution, rotation and scale mode, then the two size lines."""
    rows = []
    for i, (hint, hint_text, name) in enumerate([
            ("PicUnitLabel", "图片尺寸单位：", "PUnitCombo"),
            ("PResolutionLabel", "分辨率：", "PResolutionCombo"),
            ("RotateLabelUI", "旋转：", "PRotateCombo"),
            ("PICZoomModeLabel", "缩放方式：", "PZoomModeCombo")]):
        y = 92 + i * 38
        rows += [text(hint, hint_text, 26, y + 1, 112), combo(name, 140, y)]
    rows.append(w("QCheckBox", "PZoomOp", {"text": "按比例缩放", "checked": True,
                                           "geometry": at(26, 244, 270, 26)}))
    for i, (hint, hint_text, side) in enumerate([("PicWidthHintLabel", "图片宽度：", "Width"),
                                                 ("PicHeightHintLabel", "图片高度：", "Height")]):
        y = 280 + i * 38
        rows += [
            text(hint, hint_text, 26, y + 1, 72),
            edit(f"P{side}Edit", 98, y, 72, max_length=16),
            text(f"P{side}UnitLabel", "点(Dot)", 174, y + 1, 62),
            edit(f"P{side}ScaleEdit", 236, y, 48, max_length=16),
            text(f"P{side}PercentLabel", "%", 287, y + 1, 14),
        ]
    return rows


def source_rows():
    """Where the picture comes from and what it is."""
    rows = [
        text("PFilePathHintLabel", "图片来源", 26, 376, 200, "section"),
        text("PPathHintLabel", "图片路径：", 26, 412, 80),
        edit("PFilePathEdit", 108, 411, 296, enabled=False),
        button("PBrowseBtn", "浏览图片", geometry=at(414, 410, 150, 32)),
        text("GraphicSouSizeLabel", "原始尺寸", 26, 452, 200, "section"),
    ]
    for i, (hint, hint_text, name, unit) in enumerate([
            ("PWidthPixelsHintLabel", "宽度：", "PWidthPixelsValueEdit", "OPWidthUnitLabel"),
            ("PHeightPixelsHintLabel", "高度：", "PHeightPixelsValueEdit", "OPHeightUnitLabel")]):
        x = 26 + i * 186
        rows += [text(hint, hint_text, x, 487, 56), edit(name, x + 58, 486, 70, enabled=False),
                 text(unit, "像素", x + 132, 487, 50)]
    rows += [text("PBppHintLabel", "位深度：", 398, 487, 74),
             edit("PBppValueEdit", 474, 486, 90, enabled=False)]
    return rows


def build():
    caption = w("QWidget", "CaptionBar", {"geometry": at(0, 0, WIDTH, 36)}, None, [
        label("PicDialogTitleLabel", "设置图片", geometry=at(14, 0, 300, 36)),
        button("PicClosebtn", "", geometry=at(WIDTH - 36, 4, 32, 28)),
    ])
    children = [
        caption,
        card("PSizeCard", 12, 48, 300, 312),
        card("PPreviewCard", 316, 48, 262, 312),
        card("PSourceCard", 12, 366, 566, 160),
        text("PicSizeHintLabel", "图片尺寸", 26, 56, 200, "section"),
        *size_rows(),
        text("PBrowseHintLabel", "预览图片", 330, 56, 200, "section"),
        w("QLabel", "PPreviewLabel", {"geometry": at(324, 85, 230, 205),
                                      "alignment": ("set", "Qt::AlignCenter"),
                                      "loaded": ("dyn", "false")}),
        w("QCheckBox", "PPreviewBWOp", {"text": "黑白效果", "geometry": at(330, 300, 230, 26),
                                        "toolTip": "预览保存后的黑白图片"}),
        *source_rows(),
        button("PSavebtn", "保存图片", geometry=at(340, 536, 110, 34)),
        button("PCancelbtn", "关闭", "secondary", geometry=at(460, 536, 110, 34)),
    ]
    top = w("QWidget", "BoxRoot", {"geometry": at(0, 0, WIDTH, HEIGHT),
                                   "minimumSize": ("size", WIDTH, HEIGHT),
                                   "styleSheet": STYLE.strip()}, None, children)
    write("SetPictureWnd.ui", top)
