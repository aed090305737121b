# FTP with the 3G settings typed by hand ("Manual Input"); remote control stays off.
press MAIN_3G_SETUP
choose PARAM_SEND_OPTION FTP
choose PARAM_MODE Manual Input
type PARAM_NET_APN internet.example
type PARAM_NET_ACCOUNT user
type PARAM_NET_PASSWORD secret
type PARAM_FTP_SERVER ftp.example.com
type PARAM_FTP_PORT 2121
type PARAM_FTP_USER cam
type PARAM_FTP_PASSWORD ftppass
press PARAM_NEXT_PAGE
press SEND_GENERATE
box notice Generate Success!
written CFG.BIN
field sSmtpSet.sz3GSmtpApN internet.example
field sSmtpSet.sz3GSmtpAccount user
field sSmtpSet.sz3GSmtpPassword secret
field sFtpSet.iPort 2121
camfile CFG.BIN bySendBy=FTP country=Others sSmtpSet.sz3GSmtpApN=internet.example
    sSmtpSet.sz3GSmtpAccount=user sSmtpSet.sz3GSmtpPassword=secret
    sFtpSet.szServer=ftp.example.com sFtpSet.iPort=2121 sFtpSet.szUserName=cam
    sFtpSet.szPassword=ftppass
