// Resource and control ids, a block per dialog.
#pragma once

// Program icon, window icon, logo.
#define IDI_PROGRAM 117
#define IDI_WINDOW 119
#define IDB_LOGO 114

// Main Setup (template 111)
#define IDD_MAIN_SETUP 111
#define IDC_MAIN_CAMERA_SETUP 40000
#define IDC_MAIN_MODEL_LIST 40001
#define IDC_MAIN_3G_SETUP 40002
#define IDC_MAIN_VERSION_GROUP 40003
#define IDC_MAIN_LANGUAGE_LIST 40004
#define IDC_MAIN_LANGUAGE_GROUP 40005
#define IDC_MAIN_VERSION 40006
#define IDC_MAIN_MODEL_GROUP 40007
