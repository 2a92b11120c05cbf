# 對話方塊版面的繁體中文文字（純文字，由建置過程轉義為 XML）。
# 「&」表示按鈕或核取方塊的鍵盤快速鍵。
set(T_CAPTION "QX4T 版本升級工具")
set(T_STEP1 "準備")
set(T_STEP2 "連線")
set(T_STEP3 "模式檢查")
set(T_STEP4 "版本升級")
set(T_STEP5 "完成")
set(T_BTN_BACK "< 上一步(&B)")
set(T_BTN_NEXT "下一步(&N) >")
set(T_BTN_TOP "回到首頁(&T)")
set(T_BTN_OK "確定")
set(T_BTN_CANCEL "取消")
set(T_ANIM "已連接到電腦的PLC")

set(T_PRE_HEADING "版本升級前的準備")
set(T_PRE_STEPS "繼續之前，請完成以下準備：\n\
1. 停止由PLC控制的機台。\n\
2. 使用USB傳輸線將PLC連接到這台電腦，並開啟PLC的電源。\n\
3. 關閉所有正在使用PLC連接埠的其他程式。\n\
4. 在版本升級完成之前，請勿關閉電腦與PLC的電源。\n\
各步驟的詳細說明請參閱操作手冊。")
set(T_PRE_MANUAL "開啟操作手冊")
set(T_PRE_READY "我已完成上述準備(&C)")

set(T_CON_HEADING "連線到PLC")
set(T_CON_PORT "PLC連接埠(&P)：")
set(T_CON_REFRESH "重新整理連接埠清單")
set(T_CON_GUIDE "請選擇要升級之PLC的連接埠，並選擇是否要在下一頁檢查PLC的模式，然後按「下一步」。")
set(T_CON_RADIO1 "版本升級前檢查PLC的模式（建議）(&M)")
set(T_CON_RADIO2 "略過模式檢查(&S)")
set(T_CON_CONNECTING "正在連線到PLC並準備版本升級，請稍候……")
set(T_CON_PROGRESS "連線進度")

set(T_MODE_HEADING "檢查PLC的模式")
set(T_MODE_GUIDE "PLC已切換為韌體更新模式。請依照操作手冊的說明，在PLC上確認其顯示此模式。然後勾選下方的核取方塊，並按「下一步」。")
set(T_MODE_CONFIRM "PLC已處於韌體更新模式(&I)")

set(T_VUP_HEADING "更新韌體")
set(T_VUP_PROGRESS "版本升級進度")

set(T_FIN_HEADING "版本升級完成")
set(T_FIN_TEXT "此PLC的韌體已更新：")
set(T_FIN_HINT "按「確定」關閉本工具，或按「回到首頁」更新另一台PLC。")

set(T_DIS_HEADING "免責聲明")
set(T_DIS_AGREE "我已閱讀並接受上述條款(&A)")
