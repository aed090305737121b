# E-mail without the sender's server: Generate refuses and writes nothing.
press MAIN_3G_SETUP
choose PARAM_SEND_OPTION Email
press PARAM_NEXT_PAGE
type SEND_EMAIL1 a@b.c
press SEND_GENERATE
box warning Generate failed!\nPlease enter outbox server.
camfile CFG.BIN bySendBy=Email szRecp[2]=a@b.c
