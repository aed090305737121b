# Camera Setup: video in German, 30 seconds long; the clock (Auto) is this computer's.
press MAIN_CAMERA_SETUP
choose CAMERA_MODE Video
choose CAMERA_LANGUAGE German
choose CAMERA_VIDEO_LENGTH 30
press CAMERA_GENERATE
box notice Generate Success!
written menu.dat
camfile menu.dat CapMode=Video Language=German VideoLen=30s
