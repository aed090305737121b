# The camera cloud with the operator's presets: page 2 writes the coordinates typed (west, north)
# and a daily send at 21 o'clock of full images.
press MAIN_3G_SETUP
choose PARAM_SEND_OPTION QOR Camera Cloud System
type PARAM_FTP_SERVER app-key-1
type PARAM_FTP_PORT app-secret-2
type PARAM_FTP_USER 8944100000
press PARAM_NEXT_PAGE
choose SEND_LONGITUDE_DIR W
type SEND_LONGITUDE_DEG 120
type SEND_LONGITUDE_MIN 30
type SEND_LONGITUDE_SEC 15
type SEND_LATITUDE_DEG 51
type SEND_LATITUDE_MIN 28
type SEND_LATITUDE_SEC 40
choose SEND_IMAGE_SIZE Full Image
choose SEND_MODE Daily Send
choose SEND_DAILY_TIME 21 o'clock
press SEND_GENERATE
box notice Generate Success!
written CFG.BIN
field sLongitude.byDir 1
field sLongitude.byDeg 120
field sLatitude.byDir 0
field sLatitude.bySec 40
field bySendMode 1
field byDailySendTime 21
camfile CFG.BIN bySendBy="QOR Camera Cloud System" sQorCloudSet.szAppKey=app-key-1
    sQorCloudSet.szAppSecret=app-secret-2 sQorCloudSet.szSimCardNum=8944100000
    sLongitude.byDir=W sLongitude.byDeg=120 sLongitude.byMin=30 sLongitude.bySec=15
    sLatitude.byDeg=51 sLatitude.byMin=28 sLatitude.bySec=40 bySendImgSize="Full Image"
    bySendMode="Daily Send" byDailySendTime="21 o'clock"
