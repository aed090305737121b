"use strict";
// The web page's tests in headless Chromium. Ends with the line "N passed, N failed".
//   node tests/web/run-tests.js [name filter]
// CAMSETUP_PAGE: the page (default build/web/CamSetup-*.html); CAMFILE: the native camfile
// (default build/native/camfile); SHOTS_DIR: where to save screenshots of the forms.
const assert = require("assert/strict");
const { execFileSync } = require("child_process");
const fs = require("fs");
const os = require("os");
const path = require("path");
const { findPage, startServer, launch, Session, root } = require("./harness");

const camfile = process.env.CAMFILE || path.join(root, "build/native/camfile");
const shots = process.env.SHOTS_DIR || null;
const TIME_STAMP = [14, 21]; // the time stamp's bytes: CFG.BIN's sTime, menu.dat's clock

// ---- camfile -----------------------------------------------------------------------------------

function tempDir() {
  return fs.mkdtempSync(path.join(os.tmpdir(), "camweb-"));
}

// camfile set --new from the choices; {status, file bytes, message of a failed check}.
function camfileSet(name, choices, options = [], lang = "en") {
  const dir = tempDir();
  const file = path.join(dir, name);
  const args = ["set", "--new", "--lang", lang, ...options, file, ...choices];
  try {
    execFileSync(camfile, args, { stdio: ["ignore", "pipe", "pipe"] });
    return { status: 0, bytes: [...fs.readFileSync(file)] };
  } catch (e) {
    const err = String(e.stderr);
    const message = err.split("the Generate checks fail:\n")[1];
    return { status: e.status, message: message ? message.trim() : err };
  }
}

function expectSameFile(page, cli, what) {
  assert.ok(page, `${what}: the page wrote no file`);
  assert.equal(page.length, cli.length, `${what}: sizes differ`);
  for (let i = 0; i < page.length; i++) {
    if (i >= TIME_STAMP[0] && i < TIME_STAMP[1]) continue;
    assert.equal(page[i], cli[i], `${what}: byte ${i} differs`);
  }
}

// ---- the stories -------------------------------------------------------------------------------
// Each is a user's story on the page and the same choices for camfile set --new --check, as
// in the dialogs' parity tests. Lists are chosen by their English items; the Chinese runs choose
// the same positions.

const sender = [
  ["IDC_PARAM_SENDER_SERVER", "smtp.example.com", "sSmtpSet.szServer"],
  ["IDC_PARAM_SENDER_PORT", "587", "sSmtpSet.iPort"],
  ["IDC_PARAM_SENDER_ADDRESS", "cameras@example.com", "sSmtpSet.szAddr"],
  ["IDC_PARAM_SENDER_PASSWORD", "pa55word", "sSmtpSet.szPassword"],
];
const net3G = [
  ["IDC_PARAM_NET_APN", "internet.example", "sSmtpSet.sz3GSmtpApN"],
  ["IDC_PARAM_NET_ACCOUNT", "user", "sSmtpSet.sz3GSmtpAccount"],
  ["IDC_PARAM_NET_PASSWORD", "secret", "sSmtpSet.sz3GSmtpPassword"],
];
const typed = (form, edits) => edits.map(([name, text]) => ["type", form, name, text]);
const fields = (edits) => edits.map(([, text, field]) => `${field}=${text}`);
const sendOption = (text) => ["choose", "page1", "IDC_PARAM_SEND_OPTION", text];

const STORIES = [
  {
    name: "MMS with the preselected operator",
    steps: [sendOption("MMS"), ["next"], ["type", "page2", "IDC_SEND_PHONE1", "13800138000"]],
    cli: ["bySendBy=MMS", "szRecp[0]=13800138000"],
  },
  {
    name: "Email with a chosen operator",
    steps: [
      sendOption("Email"),
      ["choose", "page1", "IDC_PARAM_COUNTRY", "United Kingdom"],
      ["choose", "page1", "IDC_PARAM_OPERATOR", "Vodafone"],
      ...typed("page1", sender),
      ["next"],
      ["type", "page2", "IDC_SEND_EMAIL1", "me@example.org"],
      ["choose", "page2", "IDC_SEND_MODE", "Daily Send"],
      ["choose", "page2", "IDC_SEND_DAILY_TIME", "07 o'clock"],
    ],
    cli: [
      "bySendBy=Email", "country=United Kingdom", "operator=Vodafone", "szRecp[2]=me@example.org",
      "bySendMode=Daily Send", "byDailySendTime=07 o'clock", ...fields(sender),
    ],
  },
  ...[
    ["FTP", [["IDC_PARAM_FTP_SERVER", "ftp.example.com", "sFtpSet.szServer"],
      ["IDC_PARAM_FTP_PORT", "2121", "sFtpSet.iPort"], ["IDC_PARAM_FTP_USER", "cam", "sFtpSet.szUserName"],
      ["IDC_PARAM_FTP_PASSWORD", "ftppass", "sFtpSet.szPassword"]]],
    ["QOR Camera Cloud System", [["IDC_PARAM_FTP_SERVER", "appkey123", "sQorCloudSet.szAppKey"],
      ["IDC_PARAM_FTP_PORT", "appsecret", "sQorCloudSet.szAppSecret"],
      ["IDC_PARAM_FTP_USER", "13800138000", "sQorCloudSet.szSimCardNum"]]],
  ].map(([option, group]) => ({
    name: `${option} with manual input`,
    steps: [sendOption(option), ["choose", "page1", "IDC_PARAM_MODE", "Manual Input"],
      ...typed("page1", net3G), ...typed("page1", group), ["next"]],
    cli: [`bySendBy=${option}`, "country=Others", ...fields(net3G), ...fields(group)],
  })),
  { name: "Close 3G", steps: [sendOption("Close 3G"), ["next"]], cli: ["bySendBy=Close 3G"] },
  {
    name: "remote control with command 22",
    steps: [
      sendOption("MMS"), ["next"],
      ["choose", "page2", "IDC_SEND_REMOTE_INTERVAL", "01 Hours"],
      ["type", "page2", "IDC_SEND_REMOTE_PHONE", "13800138000"],
      ["type", "page2", "IDC_SEND_REMOTE_EMAIL", "remote@example.com"],
      ["previous"], ...typed("page1", sender), ["next"],
      ["type", "page2", "IDC_SEND_PHONE1", "13900139000"],
    ],
    cli: ["bySendBy=MMS", "byRemoteInterval=01 Hours", "szRemotePhoneNum=13800138000",
      "szRemoteEmail=remote@example.com", "szRecp[0]=13900139000", ...fields(sender)],
  },
  {
    name: "remote control without command 22",
    steps: [
      sendOption("FTP"),
      ["type", "page1", "IDC_PARAM_FTP_SERVER", "ftp.example.com"],
      ["type", "page1", "IDC_PARAM_FTP_USER", "cam"],
      ["type", "page1", "IDC_PARAM_FTP_PASSWORD", "ftppass"],
      ["next"],
      ["choose", "page2", "IDC_SEND_REMOTE_INTERVAL", "02 Hours"],
      ["type", "page2", "IDC_SEND_REMOTE_PHONE", "13800138000"],
      ["check", "page2", "IDC_SEND_NO_REMOTE_CMD22", true],
    ],
    cli: ["bySendBy=FTP", "sFtpSet.szServer=ftp.example.com", "sFtpSet.szUserName=cam",
      "sFtpSet.szPassword=ftppass", "byRemoteInterval=02 Hours", "szRemotePhoneNum=13800138000"],
    options: ["--no-remote-cmd22"],
  },
  {
    name: "Email from a basic model",
    model: "QOR-7120-3G(BASIC)",
    steps: [sendOption("Email"), ...typed("page1", sender), ["next"],
      ["type", "page2", "IDC_SEND_EMAIL1", "me@example.org"]],
    cli: ["bySendBy=Email", "szRecp[2]=me@example.org", ...fields(sender)],
    options: ["--basic"],
  },
  {
    name: "a row of the README's CSV loop",
    steps: [
      sendOption("Email"),
      ["choose", "page1", "IDC_PARAM_COUNTRY", "Deutschland"],
      ["choose", "page1", "IDC_PARAM_OPERATOR", "O2"],
      ...typed("page1", sender), ["next"],
      ["type", "page2", "IDC_SEND_EMAIL1", "lake@example.com"],
      ["choose", "page2", "IDC_SEND_REMOTE_INTERVAL", "01 Hours"],
      ["type", "page2", "IDC_SEND_REMOTE_PHONE", "01511234567"],
      ["type", "page2", "IDC_SEND_REMOTE_EMAIL", "cameras@example.com"],
    ],
    cli: ["bySendBy=Email", "country=Deutschland", "operator=O2", "szRecp[2]=lake@example.com",
      "byRemoteInterval=01 Hours", "szRemotePhoneNum=01511234567",
      "szRemoteEmail=cameras@example.com", ...fields(sender)],
  },
];

// The positions the English runs chose, for the Chinese runs: story name / step -> position.
const positions = new Map();

// Plays a story's steps from Main Setup up to page 2, ready for Generate.
async function playStory(s, story, lang) {
  if (story.model) await s.choose("main", "IDC_MAIN_MODEL_LIST", item(story, "model", story.model, lang));
  await s.press("main", "IDC_MAIN_3G_SETUP");
  for (const [k, step] of story.steps.entries()) {
    const [op, form, name, value] = step;
    if (op === "choose") {
      const key = `${story.name}/${k}`;
      const at = await s.choose(form, name, lang === "en" ? value : positions.get(key));
      if (lang === "en") positions.set(key, at);
    } else if (op === "type") {
      await s.type(form, name, value);
    } else if (op === "check") {
      await s.check(form, name, value);
    } else if (op === "next") {
      await s.press("page1", "IDC_PARAM_NEXT_PAGE");
    } else if (op === "previous") {
      await s.press("page2", "IDC_SEND_PREVIOUS_PAGE");
    }
    assert.deepEqual(await s.answerBoxes(), [], `${story.name}: step ${k} raised a message`);
  }
}

function item(story, what, text, lang) {
  const key = `${story.name}/${what}`;
  if (lang === "en") return text;
  return positions.get(key) ?? text;
}

const SUCCESS = { en: ["Notice", "Generate Success!"], zh: ["通知", "成功生成配置文件!"] };
const LANG = { en: "en-US", zh: "zh-CN" };

// ---- the tests ---------------------------------------------------------------------------------

const tests = [];
const test = (name, fn) => tests.push({ name, fn });

for (const lang of ["en", "zh"]) {
  for (const story of STORIES) {
    test(`parity (${lang}): ${story.name}`, async (ctx) => {
      const folder = "card-" + tests.length;
      const s = await ctx.open({ lang: LANG[lang], folder });
      await s.page.click("#card-pick");
      await s.settle();
      await playStory(s, story, lang);
      await s.press("page2", "IDC_SEND_GENERATE");
      const boxes = await s.answerBoxes();
      assert.deepEqual(boxes, [{ caption: SUCCESS[lang][0], text: SUCCESS[lang][1] }]);
      const cli = camfileSet("CFG.BIN", story.cli, ["--check", ...(story.options || [])]);
      assert.equal(cli.status, 0, `camfile: ${cli.message}`);
      expectSameFile(await s.folderFile(folder, "CFG.BIN"), cli.bytes, story.name);
    });
  }
}

// Camera Setup's menu.dat against camfile's from the same choices; the clock bytes aside.
const MENU_CHOICES = [
  ["IDC_CAMERA_MODE", "Video", "CapMode=Video"],
  ["IDC_CAMERA_LANGUAGE", "German", "Language=German"],
  ["IDC_CAMERA_VIDEO_LENGTH", "30", "VideoLen=30s"],
];
for (const lang of ["en", "zh"]) {
  test(`parity (${lang}): Camera Setup`, async (ctx) => {
    const s = await ctx.open({ lang: LANG[lang], folder: "card-menu" });
    await s.page.click("#card-pick");
    await s.settle();
    await s.press("main", "IDC_MAIN_CAMERA_SETUP");
    for (const [name, text] of MENU_CHOICES) {
      const key = `menu/${name}`;
      const at = await s.choose("camera", name, lang === "en" ? text : positions.get(key));
      if (lang === "en") positions.set(key, at);
    }
    await s.press("camera", "IDC_CAMERA_GENERATE");
    assert.deepEqual(await s.answerBoxes(), [{ caption: SUCCESS[lang][0], text: SUCCESS[lang][1] }]);
    const cli = camfileSet("menu.dat", MENU_CHOICES.map(([, , assignment]) => assignment));
    assert.equal(cli.status, 0, `camfile: ${cli.message}`);
    expectSameFile(await s.folderFile("card-menu", "menu.dat"), cli.bytes, "menu.dat");
  });
}

// Generate's checks: the page shows the message camfile gives for the same choices.
const CHECKS = [
  { name: "no recipient", steps: [sendOption("MMS"), ["next"]], cli: ["bySendBy=MMS"] },
  { name: "no sender server", steps: [sendOption("Email"), ["next"], ["type", "page2", "IDC_SEND_EMAIL1", "a@b.c"]],
    cli: ["bySendBy=Email", "szRecp[2]=a@b.c"] },
  { name: "a bad e-mail address", steps: [sendOption("Email"), ...typed("page1", sender), ["next"],
    ["type", "page2", "IDC_SEND_EMAIL1", "nobody"]], cli: ["bySendBy=Email", "szRecp[2]=nobody", ...fields(sender)] },
  { name: "no FTP password", steps: [sendOption("FTP"), ["type", "page1", "IDC_PARAM_FTP_SERVER", "ftp.example.com"],
    ["type", "page1", "IDC_PARAM_FTP_USER", "cam"], ["next"]],
    cli: ["bySendBy=FTP", "sFtpSet.szServer=ftp.example.com", "sFtpSet.szUserName=cam"] },
];
for (const lang of ["en", "zh"]) {
  test(`checks' messages (${lang})`, async (ctx) => {
    for (const check of CHECKS) {
      const s = await ctx.open({ lang: LANG[lang], folder: "checks" });
      await playStory(s, check, lang);
      await s.press("page2", "IDC_SEND_GENERATE");
      const boxes = await s.answerBoxes();
      const cli = camfileSet("CFG.BIN", check.cli, ["--check"], lang);
      assert.equal(cli.status, 1, `${check.name}: camfile's checks pass`);
      assert.equal(boxes.length, 1, `${check.name}: ${JSON.stringify(boxes)}`);
      assert.equal(boxes[0].caption, lang === "en" ? "Warning" : "警告");
      assert.equal(boxes[0].text.replace(/\r\n?/g, "\n"), cli.message, check.name);
      assert.equal(await s.folderFile("checks", "CFG.BIN"), null, `${check.name}: a file was written`);
      await s.close();
    }
  });
}

test("the card folder: read at the first opening only, written and read back", async (ctx) => {
  const folder = "card-read";
  const s = await ctx.open({ folder });
  const cfg = camfileSet("CFG.BIN", ["bySendBy=FTP", "sFtpSet.szServer=ftp.card.example"]);
  const menu = camfileSet("menu.dat", ["CapMode=Video"]);
  await s.putFolderFile(folder, "CFG.BIN", cfg.bytes);
  await s.putFolderFile(folder, "menu.dat", menu.bytes);
  await s.page.click("#card-pick");
  await s.settle();
  await s.press("main", "IDC_MAIN_3G_SETUP");
  assert.equal((await s.state("page1", "IDC_PARAM_SEND_OPTION")).selected, 3);
  assert.equal((await s.state("page1", "IDC_PARAM_FTP_SERVER")).value, "ftp.card.example");
  // A later opening keeps what the form holds, whatever the card holds now.
  await s.putFolderFile(folder, "CFG.BIN", camfileSet("CFG.BIN", ["bySendBy=MMS"]).bytes);
  await s.closeForm("page1");
  await s.press("main", "IDC_MAIN_3G_SETUP");
  assert.equal((await s.state("page1", "IDC_PARAM_FTP_SERVER")).value, "ftp.card.example");
  await s.closeForm("page1");

  await s.press("main", "IDC_MAIN_CAMERA_SETUP");
  assert.equal((await s.state("camera", "IDC_CAMERA_MODE")).items[(await s.state("camera", "IDC_CAMERA_MODE")).selected], "Video");
  await s.press("camera", "IDC_CAMERA_GENERATE");
  assert.deepEqual(await s.answerBoxes(), [{ caption: "Notice", text: "Generate Success!" }]);
  const written = await s.folderFile(folder, "menu.dat");
  assert.equal(written.length, 44);
  assert.equal((await s.state("camera", "IDC_CAMERA_SAVE_PATH")).value, folder);
  await s.close();
});

test("the card folder: a failed write claims no success", async (ctx) => {
  const folder = "card-pulled";
  const s = await ctx.open({ folder });
  await s.page.click("#card-pick");
  await s.settle();
  await s.press("main", "IDC_MAIN_3G_SETUP");
  await s.choose("page1", "IDC_PARAM_SEND_OPTION", "Close 3G");
  await s.press("page1", "IDC_PARAM_NEXT_PAGE");
  await s.removeFolder(folder); // the card is pulled
  await s.press("page2", "IDC_SEND_GENERATE");
  const boxes = await s.answerBoxes();
  assert.equal(boxes.length, 1);
  assert.equal(boxes[0].caption, "Warning");
  assert.match(boxes[0].text, /^CFG\.BIN could not be written to the chosen folder!/);
  assert.equal(await s.folderFile(folder, "CFG.BIN"), null);
});

test("without a folder: a file opened, the new one downloaded under its name", async (ctx) => {
  const s = await ctx.open({ folderApi: false });
  assert.equal(await s.page.$eval("#card-pick", (el) => el.hidden), true);
  const dir = tempDir();
  const opened = ["bySendBy=FTP", "sFtpSet.szServer=ftp.opened.example", "sFtpSet.szUserName=cam"];
  fs.writeFileSync(path.join(dir, "CFG.BIN"), Buffer.from(camfileSet("CFG.BIN", opened).bytes));
  await (await s.page.$("#card-open")).uploadFile(path.join(dir, "CFG.BIN"));
  await s.page.waitForFunction(() => /CFG\.BIN opened/.test(document.getElementById("card-status").textContent));
  await s.press("main", "IDC_MAIN_3G_SETUP");
  assert.equal((await s.state("page1", "IDC_PARAM_FTP_SERVER")).value, "ftp.opened.example");
  await s.type("page1", "IDC_PARAM_FTP_PASSWORD", "pw");
  await s.press("page1", "IDC_PARAM_NEXT_PAGE");
  const downloads = await s.allowDownloads();
  await s.press("page2", "IDC_SEND_GENERATE");
  const boxes = await s.answerBoxes();
  assert.equal(boxes.length, 1);
  assert.match(boxes[0].text, /^Generate Success!\nCFG\.BIN was downloaded\./);
  const file = path.join(downloads, "CFG.BIN");
  for (let i = 0; i < 100 && !fs.existsSync(file); i++) await new Promise((r) => setTimeout(r, 50));
  const bytes = [...fs.readFileSync(file)];
  const cli = camfileSet("CFG.BIN", [...opened, "sFtpSet.szPassword=pw"]);
  expectSameFile(bytes, cli.bytes, "download");
});

// The whole MMS story with the keyboard alone, in the windows' tab order.
test("keyboard only: the MMS story", async (ctx) => {
  const s = await ctx.open({ folder: "card-keys" });
  const k = s.page.keyboard;
  const focused = () => s.page.evaluate(() => document.activeElement.id);
  const tabTo = async (form, name) => {
    const want = s.sel(form, name).slice(1);
    for (let i = 0; i < 40 && (await focused()) !== want; i++) await k.press("Tab");
    assert.equal(await focused(), want);
  };
  await s.page.focus("#card-pick");
  await k.press("Enter");
  await s.settle();
  await tabTo("main", "IDC_MAIN_3G_SETUP");
  await k.press("Enter");
  await s.settle();
  assert.equal(await focused(), s.sel("page1", "IDC_PARAM_SEND_OPTION").slice(1));
  await k.press("ArrowUp"); // from "MMS", the default, to "Close 3G" and back
  await s.settle();
  assert.equal((await s.state("page1", "IDC_PARAM_SEND_OPTION")).selected, 0);
  await k.press("ArrowDown");
  await s.settle();
  assert.equal((await s.state("page1", "IDC_PARAM_SEND_OPTION")).selected, 1);
  await tabTo("page1", "IDC_PARAM_NEXT_PAGE");
  await k.press("Enter");
  await s.settle();
  await tabTo("page2", "IDC_SEND_PHONE1");
  await k.type("13800138000");
  await tabTo("page2", "IDC_SEND_GENERATE");
  await k.press("Enter");
  assert.deepEqual(await s.box(), { caption: "Notice", text: "Generate Success!" });
  await k.press("Enter");
  assert.equal(await s.box(), null);
  const cli = camfileSet("CFG.BIN", ["bySendBy=MMS", "szRecp[0]=13800138000"], ["--check"]);
  expectSameFile(await s.folderFile("card-keys", "CFG.BIN"), cli.bytes, "keyboard story");
});

test("filters, limits and masks come from the forms' models", async (ctx) => {
  const s = await ctx.open({ folder: "card-filters" });
  await s.press("main", "IDC_MAIN_3G_SETUP");
  await s.choose("page1", "IDC_PARAM_SEND_OPTION", "Email");
  await s.choose("page1", "IDC_PARAM_COUNTRY", "United Kingdom");
  await s.choose("page1", "IDC_PARAM_OPERATOR", "Vodafone");
  for (const name of ["IDC_PARAM_NET_APN", "IDC_PARAM_NET_ACCOUNT", "IDC_PARAM_NET_PASSWORD"]) {
    assert.equal((await s.state("page1", name)).type, "password", name);
  }
  assert.equal((await s.state("page1", "IDC_PARAM_SENDER_PASSWORD")).type, "password");
  assert.equal((await s.state("page1", "IDC_PARAM_SENDER_SERVER")).type, "text");
  await s.type("page1", "IDC_PARAM_SENDER_PORT", "5a8b7");
  assert.equal((await s.state("page1", "IDC_PARAM_SENDER_PORT")).value, "587");
  await s.type("page1", "IDC_PARAM_SENDER_ADDRESS", "me@example.com");
  assert.equal((await s.state("page1", "IDC_PARAM_SENDER_USER")).value, "me@example.com");
  assert.equal((await s.state("page1", "IDC_PARAM_SENDER_USER")).disabled, true);
  await s.press("page1", "IDC_PARAM_NEXT_PAGE");
  // A coordinate beyond its range is corrected with the program's warning.
  assert.equal((await s.state("page2", "IDC_SEND_LONGITUDE_DEG")).disabled, true);
  await s.press("page2", "IDC_SEND_PREVIOUS_PAGE");
  await s.choose("page1", "IDC_PARAM_SEND_OPTION", "QOR Camera Cloud System");
  await s.press("page1", "IDC_PARAM_NEXT_PAGE");
  await s.type("page2", "IDC_SEND_LONGITUDE_DEG", "200");
  assert.deepEqual(await s.answerBoxes(), [{ caption: "Warning", text: "The input is out of range!" }]);
  assert.equal((await s.state("page2", "IDC_SEND_LONGITUDE_DEG")).value, "180");
  await s.closeForm("page2");
  await s.press("main", "IDC_MAIN_CAMERA_SETUP");
  await s.choose("camera", "IDC_CAMERA_CLOCK_MODE", "Input");
  await s.type("camera", "IDC_CAMERA_MONTH", "1x4");
  assert.equal((await s.state("camera", "IDC_CAMERA_MONTH")).value, "14");
  await s.page.keyboard.press("Tab");
  await s.settle();
  assert.equal((await s.state("camera", "IDC_CAMERA_MONTH")).value, "12");
});

// Every form in both languages at a phone's and a desktop's size: nothing wider than the window,
// every control named by a label.
test("layout and labels at 360 and 1280 pixels wide, in both languages", async (ctx) => {
  for (const lang of ["en", "zh"]) {
    for (const [width, height] of [[360, 740], [1280, 800]]) {
      const s = await ctx.open({ lang: LANG[lang], folder: "card-layout", width, height });
      for (const form of ["main", "page1", "page2", "camera"]) {
        if (form === "page1") await s.press("main", "IDC_MAIN_3G_SETUP");
        if (form === "page1") await s.choose("page1", "IDC_PARAM_SEND_OPTION", 2);
        if (form === "page2") await s.press("page1", "IDC_PARAM_NEXT_PAGE");
        if (form === "camera") {
          await s.closeForm("page2");
          await s.press("main", "IDC_MAIN_CAMERA_SETUP");
        }
        assert.equal(await s.form(), form);
        const problems = await s.page.evaluate((form) => {
          const out = [];
          const doc = document.scrollingElement;
          if (doc.scrollWidth > window.innerWidth) out.push(`scrolls sideways: ${doc.scrollWidth}`);
          for (const el of document.querySelectorAll(`#${form} input, #${form} select, #${form} button`)) {
            if (el.closest("[hidden]")) continue;
            const r = el.getBoundingClientRect();
            if (r.right > window.innerWidth + 0.5 || r.left < 0) out.push(`${el.id} is cut`);
            const byIds = (el.getAttribute("aria-labelledby") || "").split(" ").filter(Boolean)
              .map((id) => document.getElementById(id).textContent.trim()).join(" ");
            const byLabels = [...(el.labels || [])].map((l) => l.textContent.trim()).join(" ");
            const name = byIds || byLabels || el.getAttribute("aria-label") || (el.tagName === "BUTTON" ? el.textContent.trim() : "");
            if (!name) out.push(`${el.id} has no label`);
          }
          return out;
        }, form);
        assert.deepEqual(problems, [], `${lang} ${width}px ${form}`);
        if (shots) {
          fs.mkdirSync(shots, { recursive: true });
          await s.page.screenshot({ path: path.join(shots, `${form}-${lang}-${width}.png`), fullPage: true });
        }
      }
      await s.close();
    }
  }
});

test("the language follows the browser and can be switched in the first form", async (ctx) => {
  const zh = await ctx.open({ lang: "zh-CN" });
  assert.equal(await zh.page.$eval("#main-caption", (el) => el.textContent), "设置");
  const tw = await ctx.open({ lang: "zh-TW" });
  assert.equal(await tw.page.$eval("#main-caption", (el) => el.textContent), "Setup");
  await tw.choose("main", "IDC_MAIN_LANGUAGE_LIST", 0);
  assert.equal(await tw.page.$eval("#main-caption", (el) => el.textContent), "设置");
  assert.equal(await tw.page.evaluate(() => document.documentElement.lang), "zh-CN");
  await tw.press("main", "IDC_MAIN_3G_SETUP");
  assert.equal(await tw.page.$eval("#page1-caption", (el) => el.textContent), "3G参数设置");
});

test("the page makes no request: not by itself, and its policy refuses one", async (ctx) => {
  const s = await ctx.open({ folder: "card-net" });
  const refused = await s.page.evaluate(async (url) => {
    try {
      await fetch(url + "leak?password=secret");
      return false;
    } catch (e) {
      return true;
    }
  }, s.url);
  assert.equal(refused, true);
  assert.deepEqual(ctx.server.otherRequests, []);
  assert.deepEqual(ctx.allOtherRequests(), []);
});

// ---- runner ------------------------------------------------------------------------------------

async function main() {
  const filter = process.argv[2] || "";
  const page = findPage();
  const size = fs.statSync(page).size;
  const server = await startServer(page);
  const browser = await launch();
  const sessions = [];
  const everyone = [];
  const ctx = {
    server,
    open: async (options) => {
      const s = await Session.open(browser, server.url, options);
      sessions.push(s);
      everyone.push(s);
      return s;
    },
    allOtherRequests: () => everyone.flatMap((s) => s.otherRequests()),
  };
  let passed = 0;
  let failed = 0;
  console.log(`page: ${page} (${size} bytes)`);
  for (const t of tests) {
    if (!t.name.includes(filter) && !t.name.startsWith("the page makes no request")) continue;
    const started = Date.now();
    try {
      await t.fn(ctx);
      passed++;
      console.log(`PASS: ${t.name} (${Date.now() - started} ms)`);
    } catch (e) {
      failed++;
      console.log(`FAIL: ${t.name}\n  ${String(e && e.stack ? e.stack : e).split("\n").slice(0, 6).join("\n  ")}`);
    }
    for (const s of sessions.splice(0)) await s.close().catch(() => {});
  }
  await browser.close();
  server.close();
  fs.rmSync(browser.profile, { recursive: true, force: true });
  console.log(`${passed} passed, ${failed} failed`);
  process.exit(failed === 0 ? 0 : 1);
}

main().catch((e) => {
  console.error(e);
  console.log("0 passed, 1 failed");
  process.exit(1);
});
