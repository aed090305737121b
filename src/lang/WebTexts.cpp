#include "lang/WebTexts.h"

#include <iterator>

const WebText kWebTexts[] = {
    {"card", {{"存储卡", "SD card"}}},
    {"pickFolder", {{"选择存储卡文件夹", "Choose the card's folder"}}},
    {"openFile", {{"打开 CFG.BIN 或 menu.dat", "Open CFG.BIN or menu.dat"}}},
    {"noFolder",
     {{"未选择文件夹：生成的文件将被下载。", "No folder chosen: generated files are downloaded."}}},
    {"folder", {{"文件夹：%s", "Folder: %s"}}},
    {"downloads", {{"（下载）", "(downloads)"}}},
    {"opened",
     {{"已打开 %s，表单第一次打开时读取它。",
       "%s opened: the form reads it when it first opens."}}},
    {"notCameraFile",
     {{"只能打开 CFG.BIN 或 menu.dat。", "Only CFG.BIN or menu.dat can be opened."}}},
    {"downloaded",
     {{"已下载 %s。\r\n请不改名地把它复制到相机存储卡的根目录。",
       "%s was downloaded.\r\nCopy it, under this name, to the root folder of the camera's SD "
       "card."}}},
    {"writeFailed",
     {{"无法把 %s 写入所选文件夹！\r\n请检查存储卡是否仍插着、没有写保护，然后再试一次。",
       "%s could not be written to the chosen folder!\r\nCheck that the card is still in place "
       "and not write-protected, then try again."}}},
    {"readBackDiffers",
     {{"%s 写入后读回的内容不一致！\r\n存储卡可能有故障。",
       "%s does not read back as it was written!\r\nThe card may be failing."}}},
    {"ok", {{"确定", "OK"}}},
    {"close", {{"关闭", "Close"}}},
};
const size_t kWebTextCount = std::size(kWebTexts);
