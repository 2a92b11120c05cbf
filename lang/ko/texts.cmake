# 대화 상자 레이아웃의 한국어 텍스트(일반 텍스트이며, XML 이스케이프는 빌드에서 처리함).
# "&"는 버튼이나 확인란의 바로 가기 키를 나타냄.
set(T_CAPTION "QX4T 버전업 도구")
set(T_STEP1 "준비")
set(T_STEP2 "연결")
set(T_STEP3 "모드 확인")
set(T_STEP4 "버전업")
set(T_STEP5 "완료")
set(T_BTN_BACK "< 뒤로(&B)")
set(T_BTN_NEXT "다음(&N) >")
set(T_BTN_TOP "처음으로(&T)")
set(T_BTN_OK "확인")
set(T_BTN_CANCEL "취소")
set(T_ANIM "컴퓨터에 연결된 PLC")

set(T_PRE_HEADING "버전업 준비")
set(T_PRE_STEPS "계속하기 전에 다음을 준비하십시오.\n\
1. PLC가 제어하는 설비를 정지합니다.\n\
2. USB 케이블로 PLC를 이 컴퓨터에 연결하고 PLC의 전원을 켭니다.\n\
3. PLC의 포트를 사용하는 다른 프로그램을 모두 종료합니다.\n\
4. 버전업이 끝날 때까지 컴퓨터와 PLC의 전원을 끄지 마십시오.\n\
각 단계에 대한 자세한 내용은 사용 설명서를 참조하십시오.")
set(T_PRE_MANUAL "사용 설명서 열기")
set(T_PRE_READY "위의 준비를 모두 마쳤습니다(&C)")

set(T_CON_HEADING "PLC에 연결")
set(T_CON_PORT "PLC 포트(&P):")
set(T_CON_REFRESH "포트 목록 새로 고침")
set(T_CON_GUIDE "버전업할 PLC의 포트를 선택하고, 다음 페이지에서 PLC의 모드를 확인할지 선택한 후 [다음]을 누르십시오.")
set(T_CON_RADIO1 "버전업 전에 PLC의 모드 확인(권장)(&M)")
set(T_CON_RADIO2 "모드 확인 건너뛰기(&S)")
set(T_CON_CONNECTING "PLC에 연결하여 버전업을 준비하는 중입니다. 잠시 기다려 주십시오...")
set(T_CON_PROGRESS "연결 진행 상황")

set(T_MODE_HEADING "PLC의 모드 확인")
set(T_MODE_GUIDE "PLC가 펌웨어 업데이트 모드로 전환되었습니다. 사용 설명서의 설명에 따라 PLC에 이 모드가 표시되는지 확인하십시오. 그런 다음 아래 확인란을 선택하고 [다음]을 누르십시오.")
set(T_MODE_CONFIRM "PLC가 펌웨어 업데이트 모드 상태입니다(&I)")

set(T_VUP_HEADING "펌웨어 업데이트")
set(T_VUP_PROGRESS "버전업 진행 상황")

set(T_FIN_HEADING "버전업 완료")
set(T_FIN_TEXT "이 PLC의 펌웨어를 업데이트했습니다:")
set(T_FIN_HINT "[확인]을 누르면 도구가 종료됩니다. 다른 PLC를 업데이트하려면 [처음으로]를 누르십시오.")

set(T_DIS_HEADING "면책 조항")
set(T_DIS_AGREE "위의 조항을 읽었으며 이에 동의합니다(&A)")
