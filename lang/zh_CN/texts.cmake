# 对话框布局的简体中文文本（纯文本，由构建过程转义为 XML）。
# “&”表示按钮或复选框的键盘快捷键。
set(T_CAPTION "QX4T 版本升级工具")
set(T_STEP1 "准备")
set(T_STEP2 "连接")
set(T_STEP3 "模式检查")
set(T_STEP4 "版本升级")
set(T_STEP5 "完成")
set(T_BTN_BACK "< 上一步(&B)")
set(T_BTN_NEXT "下一步(&N) >")
set(T_BTN_TOP "返回首页(&T)")
set(T_BTN_OK "确定")
set(T_BTN_CANCEL "取消")
set(T_ANIM "已连接到电脑的PLC")

set(T_PRE_HEADING "版本升级准备")
set(T_PRE_STEPS "继续之前，请完成以下准备：\n\
1. 停止PLC所控制的设备。\n\
2. 用USB电缆将PLC连接到本电脑，并接通PLC的电源。\n\
3. 关闭所有正在使用PLC端口的其他程序。\n\
4. 在版本升级完成之前，请勿切断电脑和PLC的电源。\n\
各步骤的详细说明请参阅操作手册。")
set(T_PRE_MANUAL "打开操作手册")
set(T_PRE_READY "我已完成上述准备(&C)")

set(T_CON_HEADING "连接PLC")
set(T_CON_PORT "PLC端口(&P)：")
set(T_CON_REFRESH "刷新端口列表")
set(T_CON_GUIDE "请选择要升级的PLC的端口，并选择是否在下一页检查PLC的模式，然后单击“下一步”。")
set(T_CON_RADIO1 "版本升级前检查PLC的模式（推荐）(&M)")
set(T_CON_RADIO2 "跳过模式检查(&S)")
set(T_CON_CONNECTING "正在连接PLC并为版本升级做准备，请稍候……")
set(T_CON_PROGRESS "连接进度")

set(T_MODE_HEADING "检查PLC的模式")
set(T_MODE_GUIDE "PLC已切换到固件更新模式。请按照操作手册的说明，在PLC上确认其显示的是该模式。然后勾选下面的复选框，并单击“下一步”。")
set(T_MODE_CONFIRM "PLC已处于固件更新模式(&I)")

set(T_VUP_HEADING "更新固件")
set(T_VUP_PROGRESS "版本升级进度")

set(T_FIN_HEADING "版本升级完成")
set(T_FIN_TEXT "此PLC的固件已更新：")
set(T_FIN_HINT "单击“确定”关闭本工具，或单击“返回首页”更新另一台PLC。")

set(T_DIS_HEADING "免责声明")
set(T_DIS_AGREE "我已阅读并接受上述条款(&A)")
