"""The storage page's skin."""
from make_skins import page


def build():
    page("FileManagementSkin.ui", "FM", "FM", "文件管理",
         "发送指令与文件；列出、打印、删除打印机中存储的表单、字体和图形。")
