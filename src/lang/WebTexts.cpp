#include "lang/WebTexts.h"

#include <iterator>

const WebText kWebTexts[] = {
    {"card", {{"相机存储卡", "The camera's SD card"}}},
    {"cardIntro",
     {{"先选择存储卡的根文件夹，或打开卡上的 CFG.BIN 和 menu.dat：表单从卡上的设置开始。",
       "Start with the card: choose its root folder, or open the CFG.BIN and menu.dat on it. "
       "The forms then start from what the card holds."}}},
    {"pickFolder", {{"选择存储卡文件夹", "Choose the card's folder"}}},
    {"openFile", {{"打开 CFG.BIN 或 menu.dat", "Open CFG.BIN or menu.dat"}}},
    {"noFolder",
     {{"未选择存储卡：表单从默认值开始，生成的文件将被下载。",
       "No card chosen: the forms start from their defaults, and generated files are "
       "downloaded."}}},
    {"noFolderApi",
     {{"此浏览器不能写入文件夹：“生成配置”会下载文件，请把它复制到存储卡的根目录。",
       "This browser cannot write into a folder: Generate downloads the file, to be copied to "
       "the root folder of the card."}}},
    {"filesOpened",
     {{"已打开存储卡上的文件：生成的文件将被下载。",
       "The card's files opened: generated files are downloaded."}}},
    {"folder", {{"文件夹：%s", "Folder: %s"}}},
    {"downloads", {{"（下载）", "(downloads)"}}},
    {"openedAs", {{"%s 是存储卡的 %s。", "%s is the card's %s."}}},
    {"notCameraFile",
     {{"%s 既不是 CFG.BIN（1240 字节）也不是 menu.dat（44 字节），无法使用。",
       "%s is neither a CFG.BIN (1240 bytes) nor a menu.dat (44 bytes): it cannot be used."}}},
    {"downloaded", {{"已下载 %s。", "%s was downloaded."}}},
    {"adviceAndroid",
     {{"在“文件”应用的“下载”中找到它，长按并选择“复制到”，然后选择存储卡的根目录。",
       "In the Files app, find it under Downloads, long-press it, choose \u201cCopy to\u201d and "
       "pick the SD card's top folder."}}},
    {"adviceIos",
     {{"它在“文件”应用的“下载”中：用读卡器连接存储卡，长按文件，选择“移动”，然后选择存储卡的最上层"
       "。",
       "It is in the Files app under Downloads: connect the card with a card reader, "
       "long-press the file, choose Move and pick the card's top level."}}},
    {"adviceMac",
     {{"在访达的“下载”中找到它，把它拖到边栏中存储卡的窗口里（不要放进任何文件夹）。",
       "In the Finder, find it in Downloads and drag it onto the card in the sidebar (not into "
       "a folder on it)."}}},
    {"adviceOther",
     {{"请把它复制到相机存储卡的根目录。", "Copy it to the root folder of the camera's SD card."}}},
    {"exactName",
     {{"相机只读取名为 %s 的文件：如果浏览器把它保存为“%s”，请改回原名。",
       "The camera reads only the exact name %s: if the browser saved it as \u201c%s\u201d, "
       "rename it."}}},
    {"wroteTo", {{"%s 已写入文件夹 %s。", "%s was written to the folder %s."}}},
    {"writeFailed",
     {{"无法把 %s 写入所选文件夹！\r\n请检查存储卡是否仍插着、没有写保护，然后再试一次。",
       "%s could not be written to the chosen folder!\r\nCheck that the card is still in place "
       "and not write-protected, then try again."}}},
    {"readBackDiffers",
     {{"%s 写入后读回的内容不一致！\r\n存储卡可能有故障。",
       "%s does not read back as it was written!\r\nThe card may be failing."}}},
    {"confirmDefault",
     {{"把相机菜单的默认设置写入存储卡上的 menu.dat？",
       "Write the default camera menu to menu.dat on the card?"}}},
    {"confirmReplace",
     {{"文件夹 %s 中已有一个表单没有读取的 %s。要替换它吗？",
       "The folder %s already holds a %s that the forms did not read. Replace it?"}}},
    {"confirmStart",
     {{"表单中有尚未生成的输入。放弃它们，从这张存储卡重新开始？",
       "The forms hold entries not yet generated. Drop them and start afresh on this card?"}}},
    {"replace", {{"替换", "Replace"}}},
    {"write", {{"写入", "Write"}}},
    {"start", {{"重新开始", "Start afresh"}}},
    {"ok", {{"确定", "OK"}}},
    {"cancel", {{"取消", "Cancel"}}},
    {"close", {{"关闭", "Close"}}},
    // The names of controls that share their labels with others.
    {"IDC_PARAM_MMS_APN_KIND", {{"接入点类型", "access point kind"}}},
    {"IDC_PARAM_MMS_APN", {{"接入点", "access point"}}},
    {"IDC_PARAM_FTP_DIR_TYPE", {{"位置", "where"}}},
    {"IDC_PARAM_FTP_DIR", {{"目录", "directory"}}},
    {"IDC_CAMERA_INTERVAL_COUNT", {{"数值", "count"}}},
    {"IDC_CAMERA_INTERVAL_UNIT", {{"单位", "unit"}}},
    {"IDC_CAMERA_YEAR", {{"年", "year"}}},
    {"IDC_CAMERA_MONTH", {{"月", "month"}}},
    {"IDC_CAMERA_DAY", {{"日", "day"}}},
    {"IDC_CAMERA_HOUR", {{"时", "hour"}}},
    {"IDC_CAMERA_MINUTE", {{"分", "minute"}}},
    {"IDC_CAMERA_SECOND", {{"秒", "second"}}},
    {"IDC_CAMERA_SERIAL_CHAR1", {{"第 1 位", "character 1"}}},
    {"IDC_CAMERA_SERIAL_CHAR2", {{"第 2 位", "character 2"}}},
    {"IDC_CAMERA_SERIAL_CHAR3", {{"第 3 位", "character 3"}}},
    {"IDC_CAMERA_SERIAL_CHAR4", {{"第 4 位", "character 4"}}},
};
const size_t kWebTextCount = std::size(kWebTexts);

const TextPair kTextCardSendsBy = {{"%s：%s%s。", "%s: %s%s."}};
const TextPair kTextCardRecipients = {{"，发往 %s", ", to %s"}};
const TextPair kTextCardNoRecipient = {{"，还没有接收者", ", no recipient yet"}};
const TextPair kTextCardServer = {{"，服务器 %s", ", server %s"}};
const TextPair kTextCardSim = {{"，SIM 卡号 %s", ", SIM card %s"}};
const TextPair kTextCardSendsNothing = {{"（不发送）", " (sends nothing)"}};
const TextPair kTextCardCaptures = {{"%s：拍摄模式 %s。", "%s: capture mode %s."}};
const TextPair kTextCardFormsRead = {{"表单从它开始。", " The forms start from it."}};
const TextPair kTextCardNoFile = {{"%s：存储卡上没有，“生成配置”会写入一个新的。",
                                   "%s: none on the card; Generate writes a new one."}};
const TextPair kTextCardEmpty = {{"%s 是空的", "%s is empty"}};
const TextPair kTextCardWrongSize = {{"%s 有 %s 字节，而不是 %s 字节", "%s has %s bytes, not %s"}};
const TextPair kTextCardNotCameraFile = {{"%s 不是相机文件", "%s is not a camera file"}};
const TextPair kTextCardOtherFile = {{"%s 里是 %s 的内容", "%s holds the bytes of a %s"}};
const TextPair kTextCardReplaced = {
    {"：无法使用，表单从默认值开始，“生成配置”会替换它。",
     ": it cannot be used; the forms start from their defaults, and Generate will replace it."}};
