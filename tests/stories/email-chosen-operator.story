# E-mail through an operator chosen by country, the sender's mailbox typed on page 1, sent daily.
press MAIN_3G_SETUP
choose PARAM_SEND_OPTION Email
choose PARAM_COUNTRY United Kingdom
choose PARAM_OPERATOR Vodafone
type PARAM_SENDER_SERVER smtp.example.com
type PARAM_SENDER_PORT 587
type PARAM_SENDER_ADDRESS cameras@example.com
type PARAM_SENDER_PASSWORD pa55word
press PARAM_NEXT_PAGE
type SEND_EMAIL1 me@example.org
choose SEND_MODE Daily Send
choose SEND_DAILY_TIME 07 o'clock
press SEND_GENERATE
box notice Generate Success!
written CFG.BIN
camfile CFG.BIN bySendBy=Email country="United Kingdom" operator=Vodafone
    sSmtpSet.szServer=smtp.example.com sSmtpSet.iPort=587 sSmtpSet.szAddr=cameras@example.com
    sSmtpSet.szPassword=pa55word szRecp[2]=me@example.org bySendMode="Daily Send"
    byDailySendTime="07 o'clock"
