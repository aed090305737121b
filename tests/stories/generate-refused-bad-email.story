# A recipient that is no e-mail address: Generate refuses and writes nothing.
press MAIN_3G_SETUP
choose PARAM_SEND_OPTION Email
type PARAM_SENDER_SERVER smtp.example.com
type PARAM_SENDER_PORT 587
type PARAM_SENDER_ADDRESS cameras@example.com
type PARAM_SENDER_PASSWORD pa55word
press PARAM_NEXT_PAGE
type SEND_EMAIL1 nobody
press SEND_GENERATE
box warning Generate failed!\nEmail address 1 error.
camfile CFG.BIN bySendBy=Email szRecp[2]=nobody sSmtpSet.szServer=smtp.example.com
    sSmtpSet.iPort=587 sSmtpSet.szAddr=cameras@example.com sSmtpSet.szPassword=pa55word
