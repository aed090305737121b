# FTP without its password: Generate refuses and writes nothing.
press MAIN_3G_SETUP
choose PARAM_SEND_OPTION FTP
type PARAM_FTP_SERVER ftp.example.com
type PARAM_FTP_USER cam
press PARAM_NEXT_PAGE
press SEND_GENERATE
box warning Generate failed!\nPlease enter FTP password.
camfile CFG.BIN bySendBy=FTP sFtpSet.szServer=ftp.example.com sFtpSet.szUserName=cam
