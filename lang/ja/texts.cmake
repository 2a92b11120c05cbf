# ダイアログレイアウトの日本語テキスト（プレーンテキスト。XML へのエスケープはビルドが行う）。
# 「&」はボタンやチェックボックスのキーボードショートカットを示す。
set(T_CAPTION "QX4T バージョンアップツール")
set(T_STEP1 "準備")
set(T_STEP2 "接続")
set(T_STEP3 "モード確認")
set(T_STEP4 "バージョンアップ")
set(T_STEP5 "完了")
set(T_BTN_BACK "< 戻る(&B)")
set(T_BTN_NEXT "次へ(&N) >")
set(T_BTN_TOP "最初へ(&T)")
set(T_BTN_OK "OK")
set(T_BTN_CANCEL "キャンセル")
set(T_ANIM "パソコンに接続されたPLC")

set(T_PRE_HEADING "バージョンアップの準備")
set(T_PRE_STEPS "次に進む前に、以下の準備をしてください。\n\
1. PLCが制御している機械を停止します。\n\
2. USBケーブルでPLCとこのパソコンを接続し、PLCの電源を入れます。\n\
3. PLCのポートを使用している他のプログラムをすべて終了します。\n\
4. バージョンアップが終わるまで、パソコンとPLCの電源を切らないでください。\n\
各手順の詳細は取扱説明書をご覧ください。")
set(T_PRE_MANUAL "取扱説明書を開く")
set(T_PRE_READY "上記の準備が完了しました(&C)")

set(T_CON_HEADING "PLCとの接続")
set(T_CON_PORT "PLCのポート(&P):")
set(T_CON_REFRESH "ポート一覧を更新")
set(T_CON_GUIDE "バージョンアップするPLCのポートを選択し、次のページでPLCのモードを確認するかどうかを選んでから、［次へ］を押してください。")
set(T_CON_RADIO1 "バージョンアップ前にPLCのモードを確認する（推奨）(&M)")
set(T_CON_RADIO2 "モード確認を省略する(&S)")
set(T_CON_CONNECTING "PLCに接続し、バージョンアップの準備をしています。しばらくお待ちください...")
set(T_CON_PROGRESS "接続の進行状況")

set(T_MODE_HEADING "PLCのモード確認")
set(T_MODE_GUIDE "PLCはファームウェア更新モードに切り替わりました。取扱説明書の説明に従って、PLCがこのモードを表示していることを確認してください。確認できたら下のボックスにチェックを入れ、［次へ］を押してください。")
set(T_MODE_CONFIRM "PLCがファームウェア更新モードであることを確認しました(&I)")

set(T_VUP_HEADING "ファームウェアの更新")
set(T_VUP_PROGRESS "バージョンアップの進行状況")

set(T_FIN_HEADING "バージョンアップ完了")
set(T_FIN_TEXT "次のPLCのファームウェアを更新しました。")
set(T_FIN_HINT "［OK］を押すとツールを終了します。別のPLCを更新するときは［最初へ］を押してください。")

set(T_DIS_HEADING "免責事項")
set(T_DIS_AGREE "上記の内容を読み、同意します(&A)")
