"use strict";
// The web page's tests in headless Chromium; the last line is "N passed, N failed".
//   node tests/web/run-tests.js [name filter]
// CAMSETUP_PAGE: the page (default build/web/CamSetup-*.html); CAMFILE: the native camfile
// (default build/native/camfile); SHOTS_DIR: a folder for screenshots of every form.
const assert = require("assert/strict");
const {execFileSync} = require("child_process");
const fs = require("fs");
const path = require("path");
const {findPage, startServer, launch, Session, root, tempDir} = require("./harness");

const camfile = process.env.CAMFILE || path.join(root, "build/native/camfile");
const shots = process.env.SHOTS_DIR;
const LANG = {
    en: "en-US",
    zh: "zh-CN"
};
// The success box of a file written into a folder.
const SUCCESS = (lang, file, folder) => lang === "en" ?
    {caption: "Notice", text: `Generate Success!\n${file} was written to the folder ${folder}.`} :
    {caption: "通知", text: `成功生成配置文件!\n${file} 已写入文件夹 ${folder}。`};

// camfile set --new from the choices: {status, bytes} or the message of a failed check.
function camfileSet(name, choices, options = [], lang = "en") {
    const file = path.join(tempDir("cli"), name);
    try {
        execFileSync(
            camfile, ["set", "--new", "--lang", lang, ...options, file, ...choices],
            {stdio: "pipe"});
        return {status: 0, bytes: [...fs.readFileSync(file)]};
    } catch (e) {
        return {status: e.status, message: String(e.stderr).split("checks fail:\n").pop().trim()};
    }
}

// Equal but for the time stamp: bytes 14 to 20 in both files (CFG.BIN's sTime, menu.dat's clock).
function expectSameFile(page, cli, what) {
    assert.ok(page && cli, `${what}: no file`);
    assert.equal(page.length, cli.length, what);
    page.forEach(
        (b, i) => (i < 14 || i > 20) && assert.equal(b, cli[i], `${what}: byte ${i} differs`));
}

// ---- the stories of the dialogs' parity tests -------------------------------------------------
// A step is "NAME:item" (a list's item by its English text, or "#n" by position), "NAME=text"
// (typed), "NAME!" (a check box checked), "next", "previous" or "close"; NAME is a control id
// without IDC_, whose prefix names the form. The Chinese runs choose the positions the English
// runs chose.
// clang-format off
const FORM = {MAIN: "main", PARAM: "page1", SEND: "page2", CAMERA: "camera"};
const SENDER = ["PARAM_SENDER_SERVER=smtp.example.com", "PARAM_SENDER_PORT=587",
    "PARAM_SENDER_ADDRESS=cameras@example.com", "PARAM_SENDER_PASSWORD=pa55word"];
const SENDER_CLI = ["sSmtpSet.szServer=smtp.example.com", "sSmtpSet.iPort=587",
    "sSmtpSet.szAddr=cameras@example.com", "sSmtpSet.szPassword=pa55word"];
const NET = ["PARAM_NET_APN=internet.example", "PARAM_NET_ACCOUNT=user",
    "PARAM_NET_PASSWORD=secret"];
const NET_CLI = ["sSmtpSet.sz3GSmtpApN=internet.example", "sSmtpSet.sz3GSmtpAccount=user",
    "sSmtpSet.sz3GSmtpPassword=secret"];
const FTP = ["PARAM_FTP_SERVER=ftp.example.com", "PARAM_FTP_USER=cam",
    "PARAM_FTP_PASSWORD=ftppass"];
const FTP_CLI = ["sFtpSet.szServer=ftp.example.com", "sFtpSet.szUserName=cam",
    "sFtpSet.szPassword=ftppass"];

// [name, steps on the page, camfile's assignments, camfile's options]
const STORIES = [
    ["MMS with the preselected operator",
        ["PARAM_SEND_OPTION:MMS", "next", "SEND_PHONE1=13800138000"],
        ["bySendBy=MMS", "szRecp[0]=13800138000"]],
    ["Email with a chosen operator",
        ["PARAM_SEND_OPTION:Email", "PARAM_COUNTRY:United Kingdom", "PARAM_OPERATOR:Vodafone",
            ...SENDER, "next", "SEND_EMAIL1=me@example.org", "SEND_MODE:Daily Send",
            "SEND_DAILY_TIME:07 o'clock"],
        ["bySendBy=Email", "country=United Kingdom", "operator=Vodafone",
            "szRecp[2]=me@example.org", "bySendMode=Daily Send", "byDailySendTime=07 o'clock",
            ...SENDER_CLI]],
    ["FTP with manual input",
        ["PARAM_SEND_OPTION:FTP", "PARAM_MODE:Manual Input", ...NET, ...FTP,
            "PARAM_FTP_PORT=2121", "next"],
        ["bySendBy=FTP", "country=Others", ...NET_CLI, ...FTP_CLI, "sFtpSet.iPort=2121"]],
    ["the cloud with manual input",
        ["PARAM_SEND_OPTION:QOR Camera Cloud System", "PARAM_MODE:Manual Input", ...NET,
            "PARAM_FTP_SERVER=appkey123", "PARAM_FTP_PORT=appsecret",
            "PARAM_FTP_USER=13800138000", "next"],
        ["bySendBy=QOR Camera Cloud System", "country=Others", ...NET_CLI,
            "sQorCloudSet.szAppKey=appkey123", "sQorCloudSet.szAppSecret=appsecret",
            "sQorCloudSet.szSimCardNum=13800138000"]],
    ["Close 3G", ["PARAM_SEND_OPTION:Close 3G", "next"], ["bySendBy=Close 3G"]],
    ["remote control with command 22",
        ["PARAM_SEND_OPTION:MMS", "next", "SEND_REMOTE_INTERVAL:01 Hours",
            "SEND_REMOTE_PHONE=13800138000", "SEND_REMOTE_EMAIL=remote@example.com",
            "previous", ...SENDER, "next", "SEND_PHONE1=13900139000"],
        ["bySendBy=MMS", "byRemoteInterval=01 Hours", "szRemotePhoneNum=13800138000",
            "szRemoteEmail=remote@example.com", "szRecp[0]=13900139000", ...SENDER_CLI]],
    ["remote control without command 22",
        ["PARAM_SEND_OPTION:FTP", ...FTP, "next", "SEND_REMOTE_INTERVAL:02 Hours",
            "SEND_REMOTE_PHONE=13800138000", "SEND_NO_REMOTE_CMD22!"],
        ["bySendBy=FTP", ...FTP_CLI, "byRemoteInterval=02 Hours",
            "szRemotePhoneNum=13800138000"],
        ["--no-remote-cmd22"]],
    ["Email from a basic model",
        ["MAIN_MODEL_LIST:QOR-7120-3G(BASIC)", "PARAM_SEND_OPTION:Email", ...SENDER, "next",
            "SEND_EMAIL1=me@example.org"],
        ["bySendBy=Email", "szRecp[2]=me@example.org", ...SENDER_CLI],
        ["--basic"]],
    ["a row of the README's CSV loop",
        ["PARAM_SEND_OPTION:Email", "PARAM_COUNTRY:Deutschland", "PARAM_OPERATOR:O2",
            ...SENDER, "next", "SEND_EMAIL1=lake@example.com", "SEND_REMOTE_INTERVAL:01 Hours",
            "SEND_REMOTE_PHONE=01511234567", "SEND_REMOTE_EMAIL=cameras@example.com"],
        ["bySendBy=Email", "country=Deutschland", "operator=O2", "szRecp[2]=lake@example.com",
            "byRemoteInterval=01 Hours", "szRemotePhoneNum=01511234567",
            "szRemoteEmail=cameras@example.com", ...SENDER_CLI]],
];
// Generate's checks: the page's message is camfile's for the same choices.
const CHECKS = [
    ["no recipient", ["PARAM_SEND_OPTION:MMS", "next"], ["bySendBy=MMS"]],
    ["no sender server", ["PARAM_SEND_OPTION:Email", "next", "SEND_EMAIL1=a@b.c"],
        ["bySendBy=Email", "szRecp[2]=a@b.c"]],
    ["a bad e-mail address", ["PARAM_SEND_OPTION:Email", ...SENDER, "next", "SEND_EMAIL1=nobody"],
        ["bySendBy=Email", "szRecp[2]=nobody", ...SENDER_CLI]],
    ["no FTP password", ["PARAM_SEND_OPTION:FTP", ...FTP.slice(0, 2), "next"],
        ["bySendBy=FTP", ...FTP_CLI.slice(0, 2)]],
];
// clang-format on
const positions = new Map();

// Plays the steps from Main Setup; the 3G wizard opens before the first step of its pages.
async function play(s, name, steps, lang) {
    for (const [k, step] of steps.entries()) {
        const [, id, op, value] = /^(\w+?)([:=!]|$)(.*)$/.exec(step);
        const form = FORM[id.split("_")[0]];
        if (form && form !== "main" && (await s.form()) === "main") {
            await s.press(
                "main", form === "camera" ? "IDC_MAIN_CAMERA_SETUP" : "IDC_MAIN_3G_SETUP");
        }
        const key = `${name}/${k}`;
        if (op === ":") {
            const item = value.startsWith("#") ? Number(value.slice(1)) :
                lang === "en"                  ? value :
                                                 positions.get(key);
            positions.set(key, await s.choose(form, "IDC_" + id, item));
        } else if (op === "=")
            await s.type(form, "IDC_" + id, value);
        else if (op === "!")
            await s.check(form, "IDC_" + id, true);
        else if (step === "close")
            await s.closeForm(await s.form());
        else
            await s.press(
                step === "next" ? "page1" : "page2",
                step === "next" ? "IDC_PARAM_NEXT_PAGE" : "IDC_SEND_PREVIOUS_PAGE");
        assert.deepEqual(await s.answerBoxes(), [], `${name}: step ${step} raised a message`);
    }
}

const tests = [];
const test = (name, fn) => tests.push({name, fn});

for (const lang of ["en", "zh"]) {
    for (const [name, steps, cli, options = []] of STORIES) {
        test(`parity (${lang}): ${name}`, async (ctx) => {
            const s = await ctx.open({lang: LANG[lang], folder: "card"});
            await s.pickFolder();
            await play(s, name, steps, lang);
            await s.press("page2", "IDC_SEND_GENERATE");
            assert.deepEqual(await s.answerBoxes(), [SUCCESS(lang, "CFG.BIN", "card")]);
            const made = camfileSet("CFG.BIN", cli, ["--check", ...options]);
            assert.equal(made.status, 0, made.message);
            expectSameFile(await s.folderFile("card", "CFG.BIN"), made.bytes, name);
        });
    }
    // Camera Setup's menu.dat.
    test(`parity (${lang}): Camera Setup`, async (ctx) => {
        const s = await ctx.open({lang: LANG[lang], folder: "card-menu"});
        await s.pickFolder();
        await play(
            s, "menu", ["CAMERA_MODE:Video", "CAMERA_LANGUAGE:German", "CAMERA_VIDEO_LENGTH:30"],
            lang);
        await s.press("camera", "IDC_CAMERA_GENERATE");
        assert.deepEqual(await s.answerBoxes(), [SUCCESS(lang, "menu.dat", "card-menu")]);
        const made = camfileSet("menu.dat", ["CapMode=Video", "Language=German", "VideoLen=30s"]);
        expectSameFile(await s.folderFile("card-menu", "menu.dat"), made.bytes, "menu.dat");
    });
    test(`checks' messages (${lang})`, async (ctx) => {
        for (const [name, steps, cli] of CHECKS) {
            const s = await ctx.open({lang: LANG[lang], folder: "checks"});
            await s.pickFolder();
            await play(s, name, steps, lang);
            await s.press("page2", "IDC_SEND_GENERATE");
            const made = camfileSet("CFG.BIN", cli, ["--check"], lang);
            assert.equal(made.status, 1, `${name}: camfile's checks pass`);
            const boxes =
                (await s.answerBoxes())
                    .map((b) => ({caption: b.caption, text: b.text.replace(/\r\n?/g, "\n")}));
            assert.deepEqual(
                boxes, [{caption: lang === "en" ? "Warning" : "警告", text: made.message}], name);
            assert.equal(
                await s.folderFile("checks", "CFG.BIN"), null, `${name}: a file was written`);
            await s.close();
        }
    });
}

test("the card folder: read at the first opening only, written and read back", async (ctx) => {
    const s = await ctx.open({folder: "card-read"});
    await s.putFolderFile(
        "card-read", "CFG.BIN",
        camfileSet("CFG.BIN", ["bySendBy=FTP", "sFtpSet.szServer=ftp.card.example"]).bytes);
    await s.putFolderFile("card-read", "menu.dat", camfileSet("menu.dat", ["CapMode=Video"]).bytes);
    await s.pickFolder();
    await s.press("main", "IDC_MAIN_3G_SETUP");
    assert.equal((await s.state("page1", "IDC_PARAM_SEND_OPTION")).item, "FTP");
    assert.equal((await s.state("page1", "IDC_PARAM_FTP_SERVER")).value, "ftp.card.example");
    // A later opening shows what the form holds, whatever the card holds now.
    await s.putFolderFile("card-read", "CFG.BIN", camfileSet("CFG.BIN", ["bySendBy=MMS"]).bytes);
    await s.closeForm("page1");
    await s.press("main", "IDC_MAIN_3G_SETUP");
    assert.equal((await s.state("page1", "IDC_PARAM_FTP_SERVER")).value, "ftp.card.example");
    await s.closeForm("page1");
    await s.press("main", "IDC_MAIN_CAMERA_SETUP");
    assert.equal((await s.state("camera", "IDC_CAMERA_MODE")).item, "Video");
    assert.equal((await s.state("camera", "IDC_CAMERA_SAVE_PATH")).value, "card-read");
    await s.press("camera", "IDC_CAMERA_GENERATE");
    assert.deepEqual(await s.answerBoxes(), [SUCCESS("en", "menu.dat", "card-read")]);
    assert.equal((await s.folderFile("card-read", "menu.dat")).length, 44);
});

// ---- the card chosen: what the page says of each file and what the forms start from ----------
// [name, the folder's files {name: bytes}, steps before the card is chosen (and after "card", once
// it is), the notes, page 1's send option, the folder's files after Generate (null: not
// generated)]
const cfg = (...set) => camfileSet("CFG.BIN", set).bytes;
const menu = (...set) => camfileSet("menu.dat", set).bytes;
const NONE = /^menu\.dat: none on the card; Generate writes a new one\.$/;
const BAD = (why) => new RegExp(
    `^CFG\\.BIN ${why}: it cannot be used; the forms start from ` +
    "their defaults, and Generate will replace it\\.$");
// clang-format off
const CARDS = [
    ["an FTP card chosen after 3G Setup held entries",
        {"CFG.BIN": cfg("bySendBy=FTP", "sFtpSet.szServer=ftp.card.example"),
            "menu.dat": menu("CapMode=Video")},
        ["PARAM_SEND_OPTION:Email", "close"],
        [/^CFG\.BIN: FTP, server ftp\.card\.example\. The forms start from it\.$/,
            /^menu\.dat: capture mode Video\./], "FTP", null],
    ["an empty CFG.BIN", {"CFG.BIN": []}, [], [BAD("is empty"), NONE],
        "MMS", null],
    ["1240 bytes of noise", {"CFG.BIN": Array.from({length: 1240}, (_, i) => (i * 7919) & 255)},
        [], [BAD("is not a camera file"), NONE], "MMS", null],
    ["a 5 MB CFG.BIN", {"CFG.BIN": new Uint8Array(5 << 20)}, [],
        [BAD("has 5242880 bytes, not 1240"), NONE], "MMS", null],
    ["menu.dat's bytes named CFG.BIN", {"CFG.BIN": menu()}, [],
        [BAD("holds the bytes of a menu\\.dat"), NONE], "MMS", null],
    ["a lower-case cfg.bin, replaced by CFG.BIN", {"cfg.bin": cfg("bySendBy=Close 3G")}, [],
        [/^CFG\.BIN: Close 3G \(sends nothing\)\./, NONE], "Close 3G", ["CFG.BIN"]],
    ["the notes in the language chosen after the card",
        {"CFG.BIN": cfg("bySendBy=FTP", "sFtpSet.szServer=ftp.card.example"), "menu.dat": []},
        ["card", "MAIN_LANGUAGE_LIST:#0"],
        [/^CFG\.BIN：FTP，服务器 ftp\.card\.example。表单从它开始。$/,
            /^menu\.dat 是空的：无法使用，表单从默认值开始，“生成配置”会替换它。$/,
            /^文件夹：card-6$/], "FTP", null],
];
// clang-format on

test("the card chosen: each file said, the forms afresh on it, a cfg.bin replaced", async (ctx) => {
    for (const [name, files, steps, notes, sendOption, after] of CARDS) {
        const folder = "card-" + CARDS.findIndex((c) => c[0] === name);
        const s = await ctx.open({folder});
        for (const [file, bytes] of Object.entries(files))
            await s.putFolderFile(folder, file, bytes);
        const at = steps.includes("card") ? steps.indexOf("card") : steps.length;
        await play(s, name, steps.slice(0, at), "en");
        await s.pickFolder();
        const asked = await s.answerBoxes();
        assert.equal(asked.length, at ? 1 : 0, `${name}: asked ${asked.length} times`);
        await play(s, name, steps.slice(at + 1), "en");
        // The notes, then the card's status line.
        const said = await s.page.$$eval(
            "#card-notes li, #card-status", (els) => els.map((el) => el.textContent));
        said.push(said.shift());
        notes.forEach((n, k) => assert.match(said[k], n, `${name}: ${said[k]}`));
        await s.press("main", "IDC_MAIN_3G_SETUP");
        assert.equal((await s.state("page1", "IDC_PARAM_SEND_OPTION")).item, sendOption, name);
        if (after) {
            await play(s, name, ["next"], "en");
            await s.press("page2", "IDC_SEND_GENERATE");
            assert.equal((await s.answerBoxes()).length, 1);
            assert.deepEqual(await s.folderNames(folder), after, name);
        }
        await s.close();
    }
});

// ---- nothing written or replaced without the user's word -----------------------------------
// [name, steps, the button, the question, answered yes, the folder's CFG.BIN / menu.dat after]
const OTHER = cfg("bySendBy=FTP");
// clang-format off
const ASKS = [
    ["Default, cancelled", ["CAMERA_MODE:Video"], ["camera", "IDC_CAMERA_DEFAULT"],
        "Write the default camera menu to menu.dat on the card?", false, ["menu.dat", null]],
    ["Default, confirmed", ["CAMERA_MODE:Video"], ["camera", "IDC_CAMERA_DEFAULT"],
        "Write the default camera menu to menu.dat on the card?", true, ["menu.dat", 44]],
    ["Generate into a folder the forms did not read", ["PARAM_SEND_OPTION:Close 3G", "next",
        "browse"], ["page2", "IDC_SEND_GENERATE"], "The folder other already holds a CFG.BIN " +
        "that the forms did not read. Replace it?", false, ["CFG.BIN", OTHER.length]],
];
// clang-format on

test("nothing written or replaced without the user's word", async (ctx) => {
    for (const [name, steps, [form, button], question, yes, [file, size]] of ASKS) {
        const s = await ctx.open({folder: "asks"});
        await s.pickFolder();
        for (const step of steps) {
            if (step !== "browse")
                await play(s, name, [step], "en");
            else {
                await s.putFolderFile("other", "CFG.BIN", OTHER);
                await s.pickerGives("other");
                await s.press("page2", "IDC_SEND_BROWSE");
            }
        }
        await s.press(form, button);
        const boxes = await s.answerBoxes(!yes);
        assert.deepEqual(boxes[0], {caption: "Notice", text: question}, name);
        assert.equal(boxes.length, yes ? 2 : 1, name);
        const got = await s.folderFile(steps.includes("browse") ? "other" : "asks", file);
        assert.equal(got && got.length, size, name);
        if (file === "CFG.BIN")
            assert.deepEqual(got, OTHER, `${name}: the file changed`);
        await s.removeFolder("asks");
        await s.close();
    }
});

test("the card folder: a failed write claims no success", async (ctx) => {
    const s = await ctx.open({folder: "card-pulled"});
    await s.pickFolder();
    await play(s, "pulled", ["PARAM_SEND_OPTION:Close 3G", "next"], "en");
    await s.removeFolder("card-pulled");  // the card is pulled
    await s.press("page2", "IDC_SEND_GENERATE");
    const boxes = await s.answerBoxes();
    assert.deepEqual(boxes.map((b) => b.caption), ["Warning"]);
    assert.match(boxes[0].text, /^CFG\.BIN could not be written to the chosen folder!/);
    // A card that gives back other bytes than were written.
    await s.press("page2", "IDC_SEND_BROWSE");
    await s.page.evaluate(
        () =>
            (FileSystemFileHandle.prototype.getFile = async () =>
                 new File([new Uint8Array(1240)], "CFG.BIN")));
    await s.press("page2", "IDC_SEND_GENERATE");
    assert.match(
        (await s.answerBoxes())[0].text, /^CFG\.BIN does not read back as it was written!/);
});

test("without a folder: a file opened, the new one downloaded under its name", async (ctx) => {
    const s = await ctx.open({folderApi: false});
    assert.equal(await s.page.$eval("#card-pick", (el) => el.hidden), true);
    const opened =
        ["bySendBy=FTP", "sFtpSet.szServer=ftp.opened.example", "sFtpSet.szUserName=cam"];
    const file = path.join(tempDir("open"), "CFG (1).BIN");  // a second download's name
    fs.writeFileSync(file, Buffer.from(camfileSet("CFG.BIN", opened).bytes));
    await (await s.page.$("#card-open")).uploadFile(file);
    await s.page.waitForFunction(
        () => /^CFG \(1\)\.BIN is the card's CFG\.BIN\. CFG\.BIN: FTP, server ftp\.opened\.example/
                  .test(document.getElementById("card-notes").textContent));
    await s.press("main", "IDC_MAIN_3G_SETUP");
    assert.equal((await s.state("page1", "IDC_PARAM_FTP_SERVER")).value, "ftp.opened.example");
    await play(s, "download", ["PARAM_FTP_PASSWORD=pw", "next"], "en");
    const downloads = await s.allowDownloads();
    await s.press("page2", "IDC_SEND_GENERATE");
    const boxes = await s.answerBoxes();
    assert.match(boxes[0].text, /^Generate Success!\nCFG\.BIN was downloaded\./);
    const got = path.join(downloads, "CFG.BIN");
    for (let i = 0; i < 100 && !fs.existsSync(got); i++)
        await new Promise((r) => setTimeout(r, 50));
    expectSameFile(
        [...fs.readFileSync(got)],
        camfileSet("CFG.BIN", [...opened, "sFtpSet.szPassword=pw"]).bytes, "download");
});

// The MMS story with the keyboard alone, in the windows' tab order.
test("keyboard only: the MMS story", async (ctx) => {
    const s = await ctx.open({folder: "card-keys"});
    const k = s.page.keyboard;
    const focused = () => s.page.evaluate(() => "#" + document.activeElement.id);
    const tabTo = async (form, name) => {
        for (let i = 0; i < 40 && (await focused()) !== s.sel(form, name); i++)
            await k.press("Tab");
        assert.equal(await focused(), s.sel(form, name));
    };
    const key = async (name) => (await k.press(name), s.settle());
    await s.page.focus("#card-pick");
    await key("Enter");
    await tabTo("main", "IDC_MAIN_3G_SETUP");
    await key("Enter");
    assert.equal(await focused(), s.sel("page1", "IDC_PARAM_SEND_OPTION"));
    await key("ArrowUp");  // from MMS, the default, to Close 3G and back
    assert.equal((await s.state("page1", "IDC_PARAM_SEND_OPTION")).item, "Close 3G");
    await key("ArrowDown");
    assert.equal((await s.state("page1", "IDC_PARAM_SEND_OPTION")).item, "MMS");
    await tabTo("page1", "IDC_PARAM_NEXT_PAGE");
    await key("Enter");
    assert.equal(await focused(), s.sel("page2", "IDC_SEND_PHONE1"));  // its first enabled control
    await tabTo("page2", "IDC_SEND_PHONE1");
    await k.type("13800138000");
    await tabTo("page2", "IDC_SEND_GENERATE");
    await k.press("Enter");
    assert.deepEqual(await s.box(), SUCCESS("en", "CFG.BIN", "card-keys"));
    await key("Enter");
    assert.equal(await s.box(), null);
    const made = camfileSet("CFG.BIN", ["bySendBy=MMS", "szRecp[0]=13800138000"], ["--check"]);
    expectSameFile(await s.folderFile("card-keys", "CFG.BIN"), made.bytes, "keyboard story");
});

test("filters, masks and range corrections are the models'", async (ctx) => {
    const s = await ctx.open({folder: "card-filters"});
    await play(
        s, "filters",
        [
            "PARAM_SEND_OPTION:Email", "PARAM_COUNTRY:United Kingdom", "PARAM_OPERATOR:Vodafone",
            "PARAM_SENDER_PORT=5a8b7", "PARAM_SENDER_ADDRESS=me@example.com",
            "PARAM_SENDER_SERVER=smtp.例子é.com"
        ],
        "en");
    // Masks, keyboards and what the browser may fill in: the core's field list decides them.
    for (const [id, type, inputMode, autocomplete] of [
             ["NET_APN", "password", "", "new-password"],
             ["NET_PASSWORD", "password", "", "new-password"],
             ["SENDER_PASSWORD", "password", "", "new-password"],
             ["SENDER_SERVER", "text", "", "off"],
             ["SENDER_ADDRESS", "text", "email", "off"],
             ["SENDER_PORT", "text", "numeric", "off"],
    ]) {
        const got = await s.state("page1", "IDC_PARAM_" + id);
        assert.deepEqual(
            [got.type, got.inputMode, got.autocomplete], [type, inputMode, autocomplete], id);
    }
    assert.equal((await s.state("page1", "IDC_PARAM_SENDER_PORT")).value, "587");
    // Only what every code page spells alike reaches the record.
    assert.equal((await s.state("page1", "IDC_PARAM_SENDER_SERVER")).value, "smtp..com");
    assert.deepEqual(
        await s.state("page1", "IDC_PARAM_SENDER_USER").then((u) => [u.value, u.disabled]),
        ["me@example.com", true]);
    await play(s, "filters", ["PARAM_SEND_OPTION:QOR Camera Cloud System", "next"], "en");
    for (const id of ["IDC_SEND_PHONE1", "IDC_SEND_REMOTE_EMAIL"]) {
        const got = await s.state("page2", id);
        assert.deepEqual(
            [got.inputMode, got.autocomplete], [/PHONE/.test(id) ? "tel" : "email", "off"], id);
    }
    await s.type("page2", "IDC_SEND_LONGITUDE_DEG", "200");
    assert.deepEqual(
        await s.answerBoxes(), [{caption: "Warning", text: "The input is out of range!"}]);
    assert.equal((await s.state("page2", "IDC_SEND_LONGITUDE_DEG")).value, "180");
    // Emptied, a coordinate shows 0, which the keys typed next replace.
    for (const [name, keys] of [["IDC_SEND_LATITUDE_DEG", "12"], ["IDC_SEND_LATITUDE_MIN", "6"]]) {
        await s.page.focus(s.sel("page2", name));
        await s.page.$eval(s.sel("page2", name), (el) => el.select());
        await s.page.keyboard.press("Backspace");
        await s.settle();
        await s.page.keyboard.type(keys);
        await s.settle();
        assert.equal(await s.box(), null, name);
        assert.equal((await s.state("page2", name)).value, keys, name);
    }
    await s.closeForm("page2");
    await play(s, "filters", ["CAMERA_CLOCK_MODE:Input", "CAMERA_MONTH=1x4"], "en");
    assert.equal((await s.state("camera", "IDC_CAMERA_MONTH")).value, "14");
    await s.page.keyboard.press("Tab");  // the edit loses the focus: held to its bounds
    await s.settle();
    assert.equal((await s.state("camera", "IDC_CAMERA_MONTH")).value, "12");
});

// Every form in both languages at phones', a tablet's and a desktop's sizes (phones and the tablet
// with a touch screen), with every folded group opened: nothing wider than the window, cut or
// broken inside a word; every control named by a label, and no two alike; the keyboard's order
// the visual one; touch targets of 44 pixels and input text of 16; no WCAG 2.1 A or AA
// violation axe-core finds.
const axeSource = fs.readFileSync(require.resolve("axe-core"), "utf8");
test("layout, names and order at 320 to 1280 pixels wide, in both languages", async (ctx) => {
    for (const lang of ["en", "zh"]) {
        for (const [width, height] of [[320, 640], [360, 740], [768, 1024], [1280, 800]]) {
            const touch = width < 1024;
            const s = await ctx.open({lang: LANG[lang], width, height, touch});
            for (const [form, steps] of [
                     ["main", []], ["page1", ["PARAM_SEND_OPTION:#2"]], ["page2", ["next"]],
                     ["camera", ["close", "CAMERA_MODE:#0"]]]) {
                await play(s, "layout", steps, lang);
                assert.equal(await s.form(), form);
                await s.page.$$eval(
                    `#${form} .fold[aria-expanded="false"]:not([hidden])`,
                    (folds) => folds.forEach((b) => b.click()));
                const problems = await s.page.evaluate((form, touch) => {
                    const out = [];
                    if (document.scrollingElement.scrollWidth > innerWidth)
                        out.push("scrolls sideways");
                    const measure = document.createElement("canvas").getContext("2d");
                    let last = null;
                    for (const el of document.querySelectorAll(
                             `#${form} :is(input, select, button)`)) {
                        if (el.closest("[hidden]"))
                            continue;
                        const r = el.getBoundingClientRect();
                        if (r.right > innerWidth + 0.5 || r.left < 0)
                            out.push(`${el.id} is cut`);
                        const named = (el.getAttribute("aria-labelledby") || "")
                                          .split(" ")
                                          .filter(Boolean)
                                          .map((id) => document.getElementById(id).textContent)
                                          .join("") +
                            [...(el.labels || [])].map((l) => l.textContent).join("") +
                            (el.getAttribute("aria-label") || "") +
                            (el.tagName === "BUTTON" ? el.textContent : "");
                        if (!named.trim())
                            out.push(`${el.id} has no label`);
                        const style = getComputedStyle(el);
                        measure.font = style.font;
                        const shows = el.tagName === "SELECT" ? el.options[el.selectedIndex] : null;
                        if (shows && measure.measureText(shows.text).width + 24 > r.width)
                            out.push(`${el.id} cuts "${shows.text}"`);
                        const target = (el.type === "checkbox" ? el.closest(".check") : el)
                                           .getBoundingClientRect();
                        if (touch && (target.width < 44 || target.height < 44))
                            out.push(`${el.id} is a small target`);
                        if (!/button|checkbox/.test(el.type) && parseFloat(style.fontSize) < 16)
                            out.push(`${el.id} has small text`);
                        if (el.tabIndex > 0)
                            out.push(`${el.id} has a tab index`);
                        // The next control the keyboard reaches is below or to the right.
                        if (!el.disabled && last && r.top < last.bottom - 2 &&
                            r.left < last.right - 2)
                            out.push(`${el.id} comes before the control it follows`);
                        if (!el.disabled)
                            last = r;
                    }
                    // A word too long for its line would be broken.
                    document.body.style.overflowWrap = "normal";
                    for (const el of document.querySelectorAll(
                             `#card, #${form} :is(label, legend, span, h2, p, li, option)`)) {
                        if (!el.closest("[hidden]") && el.scrollWidth > el.clientWidth + 1)
                            out.push(`"${el.textContent}" breaks inside a word`);
                    }
                    document.body.style.overflowWrap = "";
                    return out;
                }, form, touch);
                assert.deepEqual(problems, [], `${lang} ${width}px ${form}`);
                const names = [];
                const walk = (n) => {
                    if (/^(combobox|textbox|button|checkbox)$/.test(n.role))
                        names.push(n.name);
                    (n.children || []).forEach(walk);
                };
                walk(await s.page.accessibility.snapshot({interestingOnly: false}));
                assert.deepEqual(
                    names.filter((n, k) => names.indexOf(n) !== k), [], `${lang} ${form} names`);
                if (width === 360 || width === 1280) {
                    await s.page.evaluate(axeSource);
                    const found = await s.page.evaluate(
                        () => axe.run(
                                     document,
                                     {runOnly: ["wcag2a", "wcag2aa", "wcag21a", "wcag21aa"]})
                                  .then(
                                      (r) => r.violations.map(
                                          (v) => v.id + ": " +
                                              v.nodes.map((n) => n.target).join(" "))));
                    assert.deepEqual(found, [], `${lang} ${width}px ${form}: axe`);
                }
                if (shots) {
                    fs.mkdirSync(shots, {recursive: true});
                    await s.page.screenshot(
                        {path: path.join(shots, `${form}-${lang}-${width}.png`), fullPage: true});
                }
            }
            await s.close();
        }
    }
});

test("the language follows the browser and can be switched in the first form", async (ctx) => {
    const caption = (s, form) => s.page.$eval(`#${form}-caption`, (el) => el.textContent);
    assert.equal(await caption(await ctx.open({lang: "zh-CN"}), "main"), "设置");
    const s = await ctx.open({lang: "zh-TW"});
    assert.equal(await caption(s, "main"), "Setup");
    await s.choose("main", "IDC_MAIN_LANGUAGE_LIST", 0);
    assert.equal(await caption(s, "main"), "设置");
    assert.equal(await s.page.evaluate(() => document.documentElement.lang), "zh-CN");
    await s.press("main", "IDC_MAIN_3G_SETUP");
    assert.equal(await caption(s, "page1"), "3G参数设置");
});

test("the page opens from disk too", async (ctx) => {
    const page = await (await ctx.browser.createBrowserContext()).newPage();
    await page.goto("file://" + path.resolve(findPage()));
    await page.waitForSelector("body[data-ready]");
    assert.equal(await page.$eval("#main-caption", (el) => el.textContent), "Setup");
    await page.browserContext().close();
});

test("the trace only when the address asks for it, without a password", async (ctx) => {
    for (const query of ["", "?trace"]) {
        const s = await ctx.open({folder: "trace", query});
        await s.pickFolder();
        await play(s, "trace", ["PARAM_SEND_OPTION:FTP", ...FTP, "next"], "en");
        await s.press("page2", "IDC_SEND_GENERATE");
        await s.answerBoxes();
        assert.equal(s.console.some((l) => /sFtpSet\.szServer/.test(l)), query !== "", query);
        assert.deepEqual(s.console.filter((l) => l.includes("ftppass")), [], query);
    }
});

// Runs last: no session of any test asked for more than the page or logged an error (a refused
// request among them), and the page's policy refuses a request of its script.
test("the page makes no request", async (ctx) => {
    const s = await ctx.open({});
    assert.deepEqual([...ctx.server.otherRequests, ...ctx.allOtherRequests()], []);
    const refused = await s.page.evaluate(
        (url) => fetch(url + "leak?password=secret").then(() => false, () => true), s.url);
    assert.equal(refused, true);
    assert.deepEqual(ctx.server.otherRequests, []);
});

async function main() {
    const page = findPage();
    const server = await startServer(page);
    const browser = await launch();
    const sessions = [];
    const ctx = {
        server,
        browser,
        open: async (options) =>
            sessions[sessions.push(await Session.open(browser, server.url, options)) - 1],
        allOtherRequests: () => sessions.flatMap((s) => s.otherRequests()),
    };
    const counts = {passed: 0, failed: 0};
    console.log(`page: ${page} (${fs.statSync(page).size} bytes)`);
    for (const t of tests.filter(
             (t) => t.name.includes(process.argv[2] || "") || t === tests[tests.length - 1])) {
        const started = Date.now();
        try {
            await t.fn(ctx);
            counts.passed++;
            console.log(`PASS: ${t.name} (${Date.now() - started} ms)`);
        } catch (e) {
            counts.failed++;
            console.log(
                `FAIL: ${t.name}\n  ${String(e.stack || e).split("\n").slice(0, 8).join("\n  ")}`);
        }
        for (const s of sessions) await s.context.close().catch(() => {});
    }
    await browser.close();
    server.close();
    fs.rmSync(browser.profile, {recursive: true, force: true});
    console.log(`${counts.passed} passed, ${counts.failed} failed`);
    process.exit(counts.failed ? 1 : 0);
}

main().catch((e) => {
    console.error(e);
    console.log("0 passed, 1 failed");
    process.exit(1);
});
