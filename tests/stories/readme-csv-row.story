# A row of the README's loop that prepares many cards from a CSV file.
press MAIN_3G_SETUP
choose PARAM_SEND_OPTION Email
choose PARAM_COUNTRY Deutschland
choose PARAM_OPERATOR O2
type PARAM_SENDER_SERVER smtp.example.com
type PARAM_SENDER_PORT 587
type PARAM_SENDER_ADDRESS cameras@example.com
type PARAM_SENDER_PASSWORD pa55word
press PARAM_NEXT_PAGE
type SEND_EMAIL1 lake@example.com
choose SEND_REMOTE_INTERVAL 01 Hours
type SEND_REMOTE_PHONE 01511234567
type SEND_REMOTE_EMAIL cameras@example.com
press SEND_GENERATE
box notice Generate Success!
written CFG.BIN
camfile CFG.BIN bySendBy=Email country=Deutschland operator=O2 szRecp[2]=lake@example.com
    byRemoteInterval="01 Hours" szRemotePhoneNum=01511234567 szRemoteEmail=cameras@example.com
    sSmtpSet.szServer=smtp.example.com sSmtpSet.iPort=587 sSmtpSet.szAddr=cameras@example.com
    sSmtpSet.szPassword=pa55word
