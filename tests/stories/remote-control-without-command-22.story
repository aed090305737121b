# Remote control without command 22: no mailbox for it, camfile told so by --no-remote-cmd22.
press MAIN_3G_SETUP
choose PARAM_SEND_OPTION FTP
type PARAM_FTP_SERVER ftp.example.com
type PARAM_FTP_USER cam
type PARAM_FTP_PASSWORD ftppass
press PARAM_NEXT_PAGE
choose SEND_REMOTE_INTERVAL 02 Hours
type SEND_REMOTE_PHONE 13800138000
check SEND_NO_REMOTE_CMD22
press SEND_GENERATE
box notice Generate Success!
written CFG.BIN
camfile CFG.BIN --no-remote-cmd22 bySendBy=FTP sFtpSet.szServer=ftp.example.com
    sFtpSet.szUserName=cam sFtpSet.szPassword=ftppass byRemoteInterval="02 Hours"
    szRemotePhoneNum=13800138000
