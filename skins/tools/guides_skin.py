"""The four setting guides: small frameless windows with a caption bar (title
and close button), pictures of the label at the printer's mouth and a text
beside each picture. The cut guide's three tabs are sub-skins of their own;
the guide puts each into its tab in place of the placeholder named after it."""
from make_skins import w, label, button, write, spacer, H, V

WIDTH, HEIGHT = 560, 520

STYLE = """
QWidget#GuideRoot { background: #F4F7FB; }
QWidget#GuideCaption { background: #1F3A5F; }
QWidget#GuideCaption QLabel { color: white; font-weight: 600; }
QPushButton[role="guideClose"] {
  image: url(skin:images/close.png); padding: 8px; border: none; background: transparent;
}
QPushButton[role="guideClose"]:hover { background: #C0392B; }
QLabel[role="guidePic"] { background: white; border: 1px solid #B8C4D3; border-radius: 4px; }
QLabel[role="guideCaption"] { font-weight: 600; color: #1F3A5F; }
"""

PICTURES = """
QLabel#TearOffCorrPic { image: url(skin:images/guide_tear_correct.png); }
QLabel#TearOffWrongPic1 { image: url(skin:images/guide_tear_short.png); }
QLabel#TearOffWrongPic2 { image: url(skin:images/guide_tear_past.png); }
QLabel#CuttingCorrPosPic { image: url(skin:images/guide_cut_correct.png); }
QLabel#CuttingWrongPosPic1 { image: url(skin:images/guide_cut_short.png); }
QLabel#CuttingWrongPosPic2 { image: url(skin:images/guide_cut_past.png); }
QLabel#CutOnePic { image: url(skin:images/guide_cut_one.png); }
QLabel#CutTwoPic { image: url(skin:images/guide_cut_two.png); }
QLabel#CutCorrStopPosPic { image: url(skin:images/guide_blade_pass.png); }
QLabel#CutWrongStopPosPic { image: url(skin:images/guide_blade_jam.png); }
QLabel#PearOffCorrPic { image: url(skin:images/guide_peel_correct.png); }
QLabel#PearOffWrongPic1 { image: url(skin:images/guide_peel_far.png); }
QLabel#PearOffWrongPic2 { image: url(skin:images/guide_peel_short.png); }
QLabel#ContinuePrintPic { image: url(skin:images/guide_after_error.png); }
"""


def text(name, value=""):
    return label(name, value, wordWrap=True, textFormat=("enum", "Qt::RichText"),
                 alignment=("set", "Qt::AlignLeft|Qt::AlignVCenter"))


def pic(name, width=200, height=90):
    return w("QLabel", name, {"role": ("dyn", "guidePic"), "minimumSize": ("size", width, height),
                              "maximumSize": ("size", width, height)})


def row(name, picture, caption_label, words):
    """A picture with its caption above and its explanation beside it."""
    column = w("QWidget", name + "PicBox", {}, (V, (0, 0, 0, 0), 2),
               ([label(caption_label[0], caption_label[1], "guideCaption")] if caption_label else [])
               + [picture])
    return w("QWidget", name, {}, (H, (0, 0, 0, 0), 12), [column, words])


def caption_bar(title_name, title, close_name):
    return w("QWidget", "GuideCaption", {"minimumSize": ("size", 0, 36), "maximumSize": ("size", 16777215, 36)},
             (H, (14, 0, 2, 0), 8), [
        label(title_name, title), spacer(),
        button(close_name, "", "guideClose", minimumSize=("size", 36, 32), maximumSize=("size", 36, 32)),
    ])


def window(file, title_name, title, close_name, body):
    top = w("QWidget", "GuideRoot", {"geometry": ("rect", 0, 0, WIDTH, HEIGHT),
                                      "styleSheet": STYLE + PICTURES},
            (V, (0, 0, 0, 0), 0), [
        caption_bar(title_name, title, close_name),
        w("QWidget", "GuideBody", {}, (V, (18, 12, 18, 14), 10), body),
    ])
    write(file, top)


def sub_skin(file, body):
    top = w("QWidget", "GuideTab", {"geometry": ("rect", 0, 0, WIDTH - 36, HEIGHT - 130),
                                     "styleSheet": PICTURES},
            (V, (0, 6, 0, 0), 10), body)
    write(file, top)


def build():
    window("HelpTearOffSkin.ui", "TearoffHelpWndTitleLabel", "撕纸设置帮助", "TearOffHelpWndClosebtn", [
        text("TearOffInstrText"),
        row("TearOffCorrRow", pic("TearOffCorrPic"), None, text("TearOffCorrInstrText")),
        row("TearOffWrongRow1", pic("TearOffWrongPic1"), None, text("TearoffWrongPosText1")),
        row("TearOffWrongRow2", pic("TearOffWrongPic2"), None, text("TearoffWrongPosText2")),
        spacer(False),
    ])

    tabs = w("QWidget", "CutterTabs", {}, (H, (0, 0, 0, 0), 14), [
        w("QRadioButton", "HelpCutOffSet", {"text": "切纸偏移", "checked": True}),
        w("QRadioButton", "HelpCuttNumber", {"text": "切纸数量"}),
        w("QRadioButton", "HelpCutterStopPos", {"text": "刀片位置"}),
        spacer(),
    ])
    stack = w("QStackedWidget", "Cutterswitch", {}, None, [
        w("QWidget", "HelpCutOffSetSkin"), w("QWidget", "HelpCuttNumberSkin"),
        w("QWidget", "HelpCutterStopPosSkin")])
    window("HelpCutterSkin.ui", "CutterHelpWndTitleLabel", "切纸设置帮助", "CutterHelpWndClosebtn",
           [tabs, stack])

    sub_skin("HelpCutOffSetSkin.ui", [
        label("CutterTxtLabel", "切刀效果图", "guideCaption"),
        text("CutOffInstrText"),
        row("CutOffCorrRow", pic("CuttingCorrPosPic"), ("CuttingCorrPosPicLabel", "正确切断位置"),
            text("CutOffCorrPosText")),
        row("CutOffWrongRow1", pic("CuttingWrongPosPic1"), ("CuttingWrongPosPicLabel1", "错误切断位置"),
            text("CutOffWrongPosText1")),
        row("CutOffWrongRow2", pic("CuttingWrongPosPic2"), ("CuttingWrongPosPicLabel2", "错误切断位置"),
            text("CutOffWrongPosText2")),
        spacer(False),
    ])
    sub_skin("HelpCuttNumberSkin.ui", [
        label("CutterTxtNumLabel", "切刀效果图", "guideCaption"),
        text("CutNUmInstrText"),
        row("CutOneRow", pic("CutOnePic"), None, text("CutOneText")),
        row("CutTwoRow", pic("CutTwoPic"), None, text("CutTwoText")),
        spacer(False),
    ])
    sub_skin("HelpCutterStopPosSkin.ui", [
        label("CutterStopPosPicLabel", "切刀效果图", "guideCaption"),
        text("CutStopPosInstrText"),
        row("CutCorrStopRow", pic("CutCorrStopPosPic"), None, text("CutCorrStopPosText")),
        row("CutWrongStopRow", pic("CutWrongStopPosPic"), None, text("CutWrongStopPosText")),
        spacer(False),
    ])

    window("HelpPeelOffSkin.ui", "PearoffHelpWndTitleLabel", "剥纸设置帮助", "PeelOffHelpWndClosebtn", [
        text("PearOffInstrText"),
        row("PearOffCorrRow", pic("PearOffCorrPic"), ("PearOffCorrPicLabel", "正确剥离位置"),
            text("PearOffCorrPosText")),
        row("PearOffWrongRow1", pic("PearOffWrongPic1"), ("PearOffWrongPicLabel1", "错误剥离位置"),
            text("PearOffWrongPosText1")),
        row("PearOffWrongRow2", pic("PearOffWrongPic2"), ("PearOffWrongPicLabel2", "错误剥离位置"),
            text("PearOffWrongPosText2")),
        spacer(False),
    ])

    labels = w("QWidget", "ContinuePrintLabels", {}, (H, (0, 0, 0, 0), 10), [
        label("RePrintCText", "补打", "guideCaption"), label("ErrorText", "错误", "guideCaption"),
        spacer(), label("PrintDirectText", "打印方向", "guideCaption"), spacer(),
        label("ErrorText2", "错误", "guideCaption"), label("ContinuPrintCText", "续打", "guideCaption"),
    ])
    window("HelpContinuePrintSkin.ui", "PearoffHelpWndTitleLabel", "补/续打设置帮助",
           "PeelOffHelpWndClosebtn", [
        pic("ContinuePrintPic", 520, 150), labels, text("NoScreenBtnTipsText"), spacer(False)])
