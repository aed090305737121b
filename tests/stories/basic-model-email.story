# A basic model, chosen in the first window, sends thumbnails only; camfile is told by --basic.
choose MAIN_MODEL_LIST QOR-7120-3G(BASIC)
press MAIN_3G_SETUP
choose PARAM_SEND_OPTION Email
type PARAM_SENDER_SERVER smtp.example.com
type PARAM_SENDER_PORT 587
type PARAM_SENDER_ADDRESS cameras@example.com
type PARAM_SENDER_PASSWORD pa55word
press PARAM_NEXT_PAGE
type SEND_EMAIL1 me@example.org
press SEND_GENERATE
box notice Generate Success!
written CFG.BIN
field bySendImgSize 1
camfile CFG.BIN --basic bySendBy=Email szRecp[2]=me@example.org
    sSmtpSet.szServer=smtp.example.com sSmtpSet.iPort=587 sSmtpSet.szAddr=cameras@example.com
    sSmtpSet.szPassword=pa55word
