"""The printer settings page's skin."""
from make_skins import page


def build():
    page("PrinterConfigSkin.ui", "AdvPC", "Adv", "打印机功能设置",
         "读取、编辑、保存并发送打印机设置；校准、复位与打印测试页。")
