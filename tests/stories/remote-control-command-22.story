# Remote control set on page 2; page 1, gone back to, then asks for the mailbox that answers
# command 22.
press MAIN_3G_SETUP
choose PARAM_SEND_OPTION MMS
press PARAM_NEXT_PAGE
choose SEND_REMOTE_INTERVAL 01 Hours
type SEND_REMOTE_PHONE 13800138000
type SEND_REMOTE_EMAIL remote@example.com
press SEND_PREVIOUS_PAGE
type PARAM_SENDER_SERVER smtp.example.com
type PARAM_SENDER_PORT 587
type PARAM_SENDER_ADDRESS cameras@example.com
type PARAM_SENDER_PASSWORD pa55word
press PARAM_NEXT_PAGE
type SEND_PHONE1 13900139000
press SEND_GENERATE
box notice Generate Success!
written CFG.BIN
camfile CFG.BIN bySendBy=MMS byRemoteInterval="01 Hours" szRemotePhoneNum=13800138000
    szRemoteEmail=remote@example.com szRecp[0]=13900139000 sSmtpSet.szServer=smtp.example.com
    sSmtpSet.iPort=587 sSmtpSet.szAddr=cameras@example.com sSmtpSet.szPassword=pa55word
