# MMS through the operator page 1 preselects: one phone number on page 2, the operator's presets
# in the file.
press MAIN_3G_SETUP
choose PARAM_SEND_OPTION MMS
press PARAM_NEXT_PAGE
type SEND_PHONE1 13800138000
press SEND_GENERATE
box notice Generate Success!
written CFG.BIN
field sMmsSet.szUrl http://mmsc.myuni.com.cn
field sSmtpSet.sz3GSmtpApN 3gnet
camfile CFG.BIN bySendBy=MMS szRecp[0]=13800138000
