# Sending switched off: nothing to fill in.
press MAIN_3G_SETUP
choose PARAM_SEND_OPTION Close 3G
press PARAM_NEXT_PAGE
press SEND_GENERATE
box notice Generate Success!
written CFG.BIN
camfile CFG.BIN bySendBy="Close 3G"
