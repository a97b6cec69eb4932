#include "gui/guides/setting_guide_texts.h"

namespace vidodez::gui {
namespace {

constexpr GuideText kTearOff[] = {
    {"TearoffHelpWndTitleLabel", {"Tear-off Settings Guide", "撕纸设置帮助"}},
    {"TearOffCorrInstrText", {"{f 2}{b}Correct{/b}{/f}", "{f 2}{b}正确撕纸位置{/b}{/f}"}},
    {"TearoffWrongPosText1",
     {"{f 2}{b}Incorrect:{/b} the gap stops short of the tear bar.{n}Enter a positive Tear Offset "
      "to move the labels outward.{/f}",
      "{f 2}{b}错误：{/b}标签间隙停在撕纸条之内。{n}请输入正的撕纸偏移值，使标签向外移动。{/f}"}},
    {"TearoffWrongPosText2",
     {"{f 2}{b}Incorrect:{/b} the gap has passed the tear bar.{n}Enter a negative Tear Offset to "
      "move the labels inward.{/f}",
      "{f 2}{b}错误：{/b}标签间隙已越过撕纸条。{n}请输入负的撕纸偏移值，使标签向内移动。{/f}"}},
    {"TearOffInstrText",
     {"{f 2}The {c #E03C31}red dotted line{/c} marks the tear bar. After printing, the gap "
      "between two labels should stop right on it, so the label tears off cleanly.{/f}",
      "{f 2}图中{c #E03C31}红色虚线{/c}为撕纸条所在位置。打印完成后，两张标签之间的间隙应正好停在"
      "撕纸条上，这样标签才能整齐撕下。{/f}"}},
};

constexpr GuideText kCutter[] = {
    {"CutterHelpWndTitleLabel", {"Cutter Settings Guide", "切纸设置帮助"}},
    {"HelpCutOffSet", {"Cutting Offset", "切纸偏移"}},
    {"HelpCuttNumber", {"Cutting Frequency", "切纸数量"}},
    {"HelpCutterStopPos", {"Blade Position", "刀片位置"}},
    {"CutterTxtLabel", {"Cutter", "切刀效果图"}},
    {"CutterTxtNumLabel", {"Cutter", "切刀效果图"}},
    {"CutterStopPosPicLabel", {"Cutter", "切刀效果图"}},
    {"CutOffInstrText",
     {"{f 2}The {c #E03C31}red arrow{/c} shows the feed direction; the {c #E03C31}red dotted "
      "line{/c} is where the blade cuts.{/f}",
      "{f 2}图中{c #E03C31}红色箭头{/c}为走纸方向，{c #E03C31}红色虚线{/c}为切刀切断的位置。{/f}"}},
    {"CuttingCorrPosPicLabel", {"Correct", "正确切断位置"}},
    {"CuttingWrongPosPicLabel1", {"Incorrect", "错误切断位置"}},
    {"CuttingWrongPosPicLabel2", {"Incorrect", "错误切断位置"}},
    {"CutOffCorrPosText",
     {"{f 2}The blade cuts in the gap between two labels.{/f}",
      "{f 2}切刀正好切在两张标签之间的间隙处。{/f}"}},
    {"CutOffWrongPosText1",
     {"{f 2}The cut falls inside the label before the gap.{n}Enter a positive Cut Offset to move "
      "the labels outward.{/f}",
      "{f 2}切断位置落在间隙之前的标签上。{n}请输入正的切纸偏移值，使标签向外移动。{/f}"}},
    {"CutOffWrongPosText2",
     {"{f 2}The cut falls inside the next label, past the gap.{n}Enter a negative Cut Offset to "
      "move the labels inward.{/f}",
      "{f 2}切断位置越过间隙，落在下一张标签上。{n}请输入负的切纸偏移值，使标签向内移动。{/f}"}},
    {"CutNUmInstrText",
     {"{f 2}Cut Every sets how many labels are printed before each cut.{/f}",
      "{f 2}切纸频率设置每打印多少张标签切一次纸。{/f}"}},
    {"CutOneText",
     {"{f 2}Cut after every single label (Frequency set to 1).{/f}",
      "{f 2}每次切一张（切纸数量设置为1）。{/f}"}},
    {"CutTwoText",
     {"{f 2}Cut after every 2 labels (Frequency set to 2).{/f}",
      "{f 2}每次切二张（切纸数量设置为2）。{/f}"}},
    {"CutStopPosInstrText",
     {"{f 2}The {c #E03C31}red arrows{/c} show the path of the media through the cutter.{/f}",
      "{f 2}图中{c #E03C31}红色箭头{/c}为纸张穿过切刀的路径。{/f}"}},
    {"CutCorrStopPosText",
     {"{f 2}Correct: the blade stops clear of the slot and the media passes it freely.{/f}",
      "{f 2}正确：刀片停在刀口之外，纸张可顺利通过。{/f}"}},
    {"CutWrongStopPosText",
     {"{f 2}Incorrect: the blade stops in the slot and the media jams.{n}Adjust the Blade Stop "
      "Delay (0 to 60 ms), then restart and reset the printer.{/f}",
      "{f 2}错误：刀片停在刀口中，纸张被卡住。{n}请调整刀片停止延时（0~60毫秒），然后重启打印机并"
      "手动复位。{/f}"}},
};

constexpr GuideText kPeelOff[] = {
    {"PearoffHelpWndTitleLabel", {"Peerling Settings Guide", "剥纸设置帮助"}},
    {"PearOffCorrPicLabel", {"Correct Position", "正确剥离位置"}},
    {"PearOffWrongPicLabel1", {"Incorrect Position", "错误剥离位置"}},
    {"PearOffWrongPicLabel2", {"Incorrect Position", "错误剥离位置"}},
    {"PearOffInstrText",
     {"{f 2}At the correct peeling position the label has left the liner; pull it down to take "
      "it. The {c #E03C31}red arrow{/c} shows the feed direction.{/f}",
      "{f 2}标签到达正确剥离位置时已与底纸分离，向下拉即可取下。图中{c #E03C31}红色箭头{/c}为走纸"
      "方向。{/f}"}},
    {"PearOffCorrPosText", {"{f 2}Correct Peeling Position.{/f}", "{f 2}正确剥纸位置。{/f}"}},
    {"PearOffWrongPosText1",
     {"{f 2}The label has gone too far out.{n}Enter a negative Peel Offset to move the label "
      "inwards.{/f}",
      "{f 2}标签送出过多。{n}请输入负的剥纸偏移值，使标签向内移动。{/f}"}},
    {"PearOffWrongPosText2",
     {"{f 2}The label is still on the liner.{n}Enter a positive Peel Offset to move it "
      "outwards.{/f}",
      "{f 2}标签仍贴在底纸上。{n}请输入正的剥纸偏移值，使标签向外移动。{/f}"}},
};

constexpr GuideText kContinuePrint[] = {
    {"PearoffHelpWndTitleLabel", {"After Error,continue with:", "补/续打设置帮助"}},
    {"ContinuPrintCText", {"Print Next", "续打"}},
    {"RePrintCText", {"Reprint", "补打"}},
    {"ErrorText", {"Error", "错误"}},
    {"ErrorText2", {"Error", "错误"}},
    {"PrintDirectText", {"Feed Direction", "打印方向"}},
    {"NoScreenBtnTipsText",
     {"{f 2}On printers without a display: after an error, press {b}FEED/CALIBRATION{/b} to "
      "reprint the last label printed before the interruption, or {b}CANCEL/RESET{/b} to go on "
      "with the next label.{/f}",
      "{f 2}无屏幕机型：出错后按{b}进纸/测纸{/b}键，补打中断前的最后一张标签；按{b}取消/复位{/b}"
      "键，继续打印下一张标签。{/f}"}},
};

}  // namespace

std::span<const GuideText> TearOffGuideTexts() { return kTearOff; }
std::span<const GuideText> CutterGuideTexts() { return kCutter; }
std::span<const GuideText> PeelOffGuideTexts() { return kPeelOff; }
std::span<const GuideText> ContinuePrintGuideTexts() { return kContinuePrint; }

}  // namespace vidodez::gui
