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

// ---- the user stories of tests/stories, played in both languages ------------------------------
// The steps are those of tests/unit/StoryFile.h; a step is one line, "VERB NAME text". The page's
// success box also names the file and the folder; in Chinese a warning is camfile's message in
// Chinese, and a list's item is the position the English run chose.
const FORM = {
    MAIN: "main",
    PARAM: "page1",
    SEND: "page2",
    CAMERA: "camera"
};
const step = (line) => {
    const [, verb, name = "", text = ""] = /^(\w+)(?: (\S+))?(?: (.*))?$/.exec(line);
    return {verb, name, text};
};
const readStory = (name) =>
    fs.readFileSync(path.join(root, "tests/stories", name + ".story"), "utf8")
        .split("\n")
        .reduce(
            (steps, line, k) => {
                const text = line.trim();
                if (text && !text.startsWith("#") && /^\s/.test(line))
                    steps[steps.length - 1].line += " " + text;
                else if (text && !text.startsWith("#"))
                    steps.push({at: k + 1, line: text});
                return steps;
            },
            [])
        .map(({at, line}) => ({at, ...step(line)}));
const positions = new Map();

// One step on the forms: choose, type, leave, check, uncheck, press or close.
async function act(s, {verb, name, text}, lang, key) {
    const form = FORM[name.split("_")[0]], id = "IDC_" + name;
    if (verb !== "close")
        assert.equal(await s.form(), form, `${key}: ${name} is not on the form open`);
    if (verb === "choose") {
        const item = text.startsWith("#") ? Number(text.slice(1)) :
            lang === "en"                 ? text :
                                            positions.get(key);
        positions.set(key, await s.choose(form, id, item));
    } else if (verb === "type")
        await s.type(form, id, text);
    else if (verb === "leave")
        await s.leave(form, id);
    else if (verb === "check" || verb === "uncheck")
        await s.check(form, id, verb === "check");
    else if (verb === "press")
        await s.press(form, id);
    else if (verb === "close")
        await s.closeForm(await s.form());
    else
        throw new Error(`${key}: no step "${verb}"`);
}

// Steps on the forms, each line a step; none raises a message box.
async function play(s, name, lines, lang) {
    for (const [k, line] of lines.entries()) {
        await act(s, step(line), lang, `${name}/${k}`);
        assert.deepEqual(await s.answerBoxes(), [], `${name}: step ${line} raised a message`);
    }
}

// A story's camfile line run: camfile set --new with its options and assignments.
function camfileStep({name, text}, lang) {
    const words = text.match(/(?:[^\s"]+|"[^"]*")+/g).map((w) => w.replace(/"/g, ""));
    const options = words.filter((w) => w.startsWith("--"));
    return camfileSet(
        name, words.filter((w) => !w.startsWith("--")),
        [...(name === "CFG.BIN" ? ["--check"] : []), ...options], lang);
}

// The box a story's box step names as the page shows it: the success of a file written names the
// file and the folder; in Chinese a warning is camfile's message for the story's choices.
function expectedBox({name, text}, lang, file, steps) {
    const english = text.replace(/\\n/g, "\n");
    if (english === "Generate Success!" && file)
        return SUCCESS(lang, file, "card");
    if (lang === "en")
        return {caption: name === "warning" ? "Warning" : "Notice", text: english};
    assert.equal(name, "warning", `no Chinese known for "${english}"`);
    return {
        caption: "警告",
        text: camfileStep(steps.find((t) => t.verb === "camfile"), lang).message
    };
}

const tests = [];
const test = (name, fn) => tests.push({name, fn});

const stories = fs.readdirSync(path.join(root, "tests/stories"))
                    .filter((f) => f.endsWith(".story"))
                    .map((f) => f.slice(0, -6))
                    .sort();
for (const lang of ["en", "zh"]) {
    for (const name of stories) {
        test(`story (${lang}): ${name}`, async (ctx) => {
            const steps = readStory(name);
            const written = steps.filter((t) => t.verb === "written").map((t) => t.name);
            const s = await ctx.open({lang: LANG[lang], folder: "card"});
            await s.pickFolder();
            let warning = null, last = null;
            for (const [k, t] of steps.entries()) {
                const where = `${name}.story:${t.at}`;
                if (t.verb === "box") {
                    const box = await s.box();
                    assert.ok(box, `${where}: no box came`);
                    box.text = box.text.replace(/\r\n?/g, "\n");
                    const file = (steps.slice(k).find((w) => w.verb === "written") || {}).name;
                    assert.deepEqual(box, expectedBox(t, lang, file, steps), where);
                    warning = t.name === "warning" ? box.text : warning;
                    await s.page.click("#box-ok");
                } else if (t.verb === "written") {
                    last = await s.folderFile("card", t.name);
                    assert.ok(last, `${where}: no ${t.name}`);
                } else if (t.verb === "field") {
                    const file = path.join(tempDir("show"), "file");
                    fs.writeFileSync(file, Buffer.from(last));
                    const shown =
                        new RegExp(`^  ${t.name.replace(/[[\].]/g, "\\$&")} +("[^"]*"|\\S+)`, "m")
                            .exec(execFileSync(camfile, ["show", file], {encoding: "utf8"}));
                    assert.equal(shown && shown[1].replace(/"/g, ""), t.text, where);
                } else if (t.verb === "camfile") {
                    const made = camfileStep(t, lang);
                    if (written.includes(t.name)) {
                        assert.equal(made.status, 0, made.message);
                        expectSameFile(await s.folderFile("card", t.name), made.bytes, where);
                    } else
                        assert.deepEqual([made.status, made.message], [1, warning], where);
                } else {
                    assert.equal(await s.box(), null, `${where}: a box the story does not name`);
                    await act(s, t, lang, `${name}/${k}`);
                }
            }
            assert.equal(await s.box(), null, `${name}: a box the story does not name`);
            assert.deepEqual(await s.folderNames("card"), [...written].sort(), name);
        });
    }
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
        ["press MAIN_3G_SETUP", "choose PARAM_SEND_OPTION Email", "close"],
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
        ["card", "choose MAIN_LANGUAGE_LIST #0"],
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
            await play(s, name, ["press PARAM_NEXT_PAGE"], "en");
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
    ["Default, cancelled", ["press MAIN_CAMERA_SETUP", "choose CAMERA_MODE Video"],
        ["camera", "IDC_CAMERA_DEFAULT"],
        "Write the default camera menu to menu.dat on the card?", false, ["menu.dat", null]],
    ["Default, confirmed", ["press MAIN_CAMERA_SETUP", "choose CAMERA_MODE Video"],
        ["camera", "IDC_CAMERA_DEFAULT"],
        "Write the default camera menu to menu.dat on the card?", true, ["menu.dat", 44]],
    ["Generate into a folder the forms did not read", ["press MAIN_3G_SETUP",
        "choose PARAM_SEND_OPTION Close 3G", "press PARAM_NEXT_PAGE", "browse"], ["page2", "IDC_SEND_GENERATE"], "The folder other already holds a CFG.BIN " +
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
    await play(
        s, "pulled",
        ["press MAIN_3G_SETUP", "choose PARAM_SEND_OPTION Close 3G", "press PARAM_NEXT_PAGE"],
        "en");
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
    await play(s, "download", ["type PARAM_FTP_PASSWORD pw", "press PARAM_NEXT_PAGE"], "en");
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
            "press MAIN_3G_SETUP", "choose PARAM_SEND_OPTION Email",
            "choose PARAM_COUNTRY United Kingdom", "choose PARAM_OPERATOR Vodafone",
            "type PARAM_SENDER_PORT 5a8b7", "type PARAM_SENDER_ADDRESS me@example.com",
            "type PARAM_SENDER_SERVER smtp.例子é.com"
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
    await play(
        s, "filters", ["choose PARAM_SEND_OPTION QOR Camera Cloud System", "press PARAM_NEXT_PAGE"],
        "en");
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
    await play(
        s, "filters",
        ["press MAIN_CAMERA_SETUP", "choose CAMERA_CLOCK_MODE Input", "type CAMERA_MONTH 1x4"],
        "en");
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
                     ["main", []],
                     ["page1", ["press MAIN_3G_SETUP", "choose PARAM_SEND_OPTION #2"]],
                     ["page2", ["press PARAM_NEXT_PAGE"]],
                     ["camera", ["close", "press MAIN_CAMERA_SETUP", "choose CAMERA_MODE #0"]]]) {
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
                        if (!el.getClientRects().length)  // hidden, or in a group left out
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
                    for (const group of document.querySelectorAll(`#${form} fieldset.group`)) {
                        const controls = group.querySelectorAll("input, select, button:not(.fold)");
                        if (group.getClientRects().length && controls.length &&
                            [...controls].every((el) => !el.getClientRects().length))
                            out.push(`${group.id} shows no control`);
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
        await play(
            s, "trace",
            [
                "press MAIN_3G_SETUP", "choose PARAM_SEND_OPTION FTP",
                "type PARAM_FTP_SERVER ftp.example.com", "type PARAM_FTP_USER cam",
                "type PARAM_FTP_PASSWORD ftppass", "press PARAM_NEXT_PAGE"
            ],
            "en");
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
