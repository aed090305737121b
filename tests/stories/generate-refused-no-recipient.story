# MMS without a phone number or e-mail address: Generate refuses and writes nothing.
press MAIN_3G_SETUP
choose PARAM_SEND_OPTION MMS
press PARAM_NEXT_PAGE
press SEND_GENERATE
box warning Generate failed!\nPlease enter at least one phone number or email address.
camfile CFG.BIN bySendBy=MMS
