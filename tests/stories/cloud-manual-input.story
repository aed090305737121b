# The camera cloud with the 3G settings typed by hand: the FTP group's edits hold the cloud
# account (App key, App secret, SIM card number).
press MAIN_3G_SETUP
choose PARAM_SEND_OPTION QOR Camera Cloud System
choose PARAM_MODE Manual Input
type PARAM_NET_APN internet.example
type PARAM_NET_ACCOUNT user
type PARAM_NET_PASSWORD secret
type PARAM_FTP_SERVER appkey123
type PARAM_FTP_PORT appsecret
type PARAM_FTP_USER 13800138000
press PARAM_NEXT_PAGE
press SEND_GENERATE
box notice Generate Success!
written CFG.BIN
field sSmtpSet.sz3GSmtpApN internet.example
field sQorCloudSet.szSimCardNum 13800138000
camfile CFG.BIN bySendBy="QOR Camera Cloud System" country=Others
    sSmtpSet.sz3GSmtpApN=internet.example sSmtpSet.sz3GSmtpAccount=user
    sSmtpSet.sz3GSmtpPassword=secret sQorCloudSet.szAppKey=appkey123
    sQorCloudSet.szAppSecret=appsecret sQorCloudSet.szSimCardNum=13800138000
