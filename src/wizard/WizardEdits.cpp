#include "wizard/WizardEdits.h"

#include "res/resource.h"

#include <iterator>

const WizardEditField kParamPageEditFields[] = {
    {IDC_PARAM_MMS_URL, "sMmsSet.szUrl"},
    {IDC_PARAM_MMS_APN, "sMmsSet.szApn"},
    {IDC_PARAM_MMS_GATEWAY, "sMmsSet.szGateway"},
    {IDC_PARAM_MMS_PORT, "sMmsSet.szPort"},
    {IDC_PARAM_MMS_ACCOUNT, "sMmsSet.szAccount"},
    {IDC_PARAM_MMS_PASSWORD, "sMmsSet.szPassword"},
    {IDC_PARAM_NET_APN, "sSmtpSet.sz3GSmtpApN"},
    {IDC_PARAM_NET_ACCOUNT, "sSmtpSet.sz3GSmtpAccount"},
    {IDC_PARAM_NET_PASSWORD, "sSmtpSet.sz3GSmtpPassword"},
    {IDC_PARAM_SENDER_SERVER, "sSmtpSet.szServer"},
    {IDC_PARAM_SENDER_PORT, "sSmtpSet.iPort"},
    {IDC_PARAM_SENDER_ADDRESS, "sSmtpSet.szAddr"},
    {IDC_PARAM_SENDER_USER, "sSmtpSet.szUserName"},
    {IDC_PARAM_SENDER_PASSWORD, "sSmtpSet.szPassword"},
    {IDC_PARAM_FTP_SERVER, "sFtpSet.szServer"},
    {IDC_PARAM_FTP_PORT, "sFtpSet.iPort"},
    {IDC_PARAM_FTP_USER, "sFtpSet.szUserName"},
    {IDC_PARAM_FTP_PASSWORD, "sFtpSet.szPassword"},
    {IDC_PARAM_FTP_DIR, "sFtpSet.szFtpDir"},
};
const size_t kParamPageEditFieldCount = std::size(kParamPageEditFields);

const WizardEditField kCloudEditFields[] = {
    {IDC_PARAM_FTP_SERVER, "sQorCloudSet.szAppKey"},
    {IDC_PARAM_FTP_PORT, "sQorCloudSet.szAppSecret"},
    {IDC_PARAM_FTP_USER, "sQorCloudSet.szSimCardNum"},
};
const size_t kCloudEditFieldCount = std::size(kCloudEditFields);

const WizardEditField kSendPageEditFields[] = {
    {IDC_SEND_PHONE1, "szRecp[0]"},
    {IDC_SEND_PHONE2, "szRecp[1]"},
    {IDC_SEND_EMAIL1, "szRecp[2]"},
    {IDC_SEND_EMAIL2, "szRecp[3]"},
    {IDC_SEND_MAX_NUM, "uwMaxSendImgNum"},
    {IDC_SEND_REMOTE_PHONE, "szRemotePhoneNum"},
    {IDC_SEND_REMOTE_EMAIL, "szRemoteEmail"},
    {IDC_SEND_LONGITUDE_DEG, "sLongitude.byDeg"},
    {IDC_SEND_LONGITUDE_MIN, "sLongitude.byMin"},
    {IDC_SEND_LONGITUDE_SEC, "sLongitude.bySec"},
    {IDC_SEND_LATITUDE_DEG, "sLatitude.byDeg"},
    {IDC_SEND_LATITUDE_MIN, "sLatitude.byMin"},
    {IDC_SEND_LATITUDE_SEC, "sLatitude.bySec"},
};
const size_t kSendPageEditFieldCount = std::size(kSendPageEditFields);
