"use strict";
// Drives the web page in headless Chromium as a user would: choose list items, type, press
// buttons, answer message boxes; the card folder is a real directory handle of the browser's
// origin-private file system. The page is served from 127.0.0.1 by a server that answers only
// the page itself and counts every other request.
const puppeteer = require("puppeteer-core");
const fs = require("fs");
const http = require("http");
const os = require("os");
const path = require("path");

const root = path.resolve(__dirname, "../..");

function findPage() {
  if (process.env.CAMSETUP_PAGE) return process.env.CAMSETUP_PAGE;
  const dir = path.join(root, "build/web");
  const name = fs.readdirSync(dir).find((n) => /^CamSetup-.*\.html$/.test(n));
  if (!name) throw new Error("no CamSetup-<version>.html in build/web: run scripts/build-web.sh");
  return path.join(dir, name);
}

async function startServer(file) {
  const body = fs.readFileSync(file);
  const server = http.createServer((req, res) => {
    if (req.url === "/") {
      res.writeHead(200, { "Content-Type": "text/html; charset=utf-8" });
      res.end(body);
    } else {
      server.otherRequests.push(req.url);
      res.writeHead(404);
      res.end();
    }
  });
  server.otherRequests = [];
  await new Promise((done) => server.listen(0, "127.0.0.1", done));
  server.url = `http://127.0.0.1:${server.address().port}/`;
  return server;
}

async function launch() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), "camweb-profile-"));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
    headless: true,
    args: [
      "--headless=new",
      "--no-sandbox",
      "--disable-gpu",
      "--disable-background-networking",
      "--disable-component-update",
      "--disable-sync",
      "--no-first-run",
      `--user-data-dir=${profile}`,
    ],
  });
  browser.profile = profile;
  return browser;
}

class Session {
  constructor(context, page, url, ids) {
    this.context = context;
    this.page = page;
    this.url = url;
    this.ids = ids;
    this.requests = [];
    this.boxes = []; // every message box answered, {caption, text}
    this.downloads = null;
  }

  // Opens the page in a browser context of its own. lang: the browser's language; folder: the
  // name of an origin-private folder that the folder picker gives; folderApi false: a browser
  // without the File System Access API.
  static async open(browser, url, { lang = "en-US", folder = null, folderApi = true, width = 1280, height = 800 } = {}) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    await page.setViewport({ width, height });
    const session = new Session(context, page, url, null);
    page.on("request", (r) => session.requests.push(r.url()));
    page.on("pageerror", (e) => session.requests.push("pageerror:" + e.message));
    await page.evaluateOnNewDocument(
      (lang, folder, folderApi) => {
        Object.defineProperty(navigator, "language", { get: () => lang });
        if (!folderApi) {
          delete Window.prototype.showDirectoryPicker;
          delete window.showDirectoryPicker;
        } else if (folder) {
          window.showDirectoryPicker = async () =>
            (await navigator.storage.getDirectory()).getDirectoryHandle(folder, { create: true });
        }
      },
      lang,
      folder,
      folderApi
    );
    await page.goto(url);
    await page.waitForSelector("body[data-ready]");
    session.ids = await page.evaluate(() => JSON.parse(document.getElementById("ids").textContent));
    return session;
  }

  async close() {
    await this.context.close();
  }

  // Requests beyond the page itself.
  otherRequests() {
    return this.requests.filter((u) => u !== this.url && !u.startsWith("data:") && !u.startsWith("blob:"));
  }

  sel(form, name) {
    const id = this.ids[name];
    if (id === undefined) throw new Error("no control " + name);
    return `#${form}-${id}`;
  }

  async form() {
    return this.page.evaluate(() => document.querySelector("section.form:not([hidden])").id);
  }

  // Waits until the page has handled every event or shows a message box.
  async settle() {
    await this.page.waitForFunction(() => !window.camPage.busy() || document.getElementById("box").open, {
      timeout: 10000,
    });
  }

  async box() {
    await this.settle();
    return this.page.evaluate(() => {
      const box = document.getElementById("box");
      if (!box.open) return null;
      return { caption: box.querySelector("h2").textContent, text: box.querySelector("p").textContent };
    });
  }

  // Answers every message box shown; returns them.
  async answerBoxes() {
    const seen = [];
    for (let b = await this.box(); b; b = await this.box()) {
      seen.push(b);
      this.boxes.push(b);
      await this.page.click("#box-ok");
    }
    return seen;
  }

  async choose(form, name, item) {
    const sel = this.sel(form, name);
    const index = await this.page.$eval(
      sel,
      (el, item) => {
        const index = typeof item === "number" ? item : [...el.options].findIndex((o) => o.text === item);
        if (index < 0) throw new Error(`no item "${item}" in ${el.id}: ${[...el.options].map((o) => o.text)}`);
        if (el.disabled) throw new Error(el.id + " is disabled");
        el.selectedIndex = index;
        el.dispatchEvent(new Event("change", { bubbles: true }));
        return index;
      },
      item
    );
    await this.settle();
    return index;
  }

  // Types into an edit as the keyboard does, replacing its text.
  async type(form, name, text) {
    const sel = this.sel(form, name);
    await this.page.click(sel, { clickCount: 3 });
    await this.page.keyboard.press("Backspace");
    await this.page.keyboard.type(text);
    await this.settle();
  }

  async check(form, name, on) {
    const sel = this.sel(form, name);
    if ((await this.page.$eval(sel, (el) => el.checked)) !== on) await this.page.click(sel);
    await this.settle();
  }

  async press(form, name) {
    await this.page.click(this.sel(form, name));
    await this.settle();
  }

  async closeForm(form) {
    await this.page.click(`#${form}-close`);
    await this.settle();
  }

  async state(form, name) {
    return this.page.$eval(this.sel(form, name), (el) => ({
      value: el.value,
      text: el.textContent,
      type: el.type,
      disabled: el.disabled,
      hidden: !!el.closest("[hidden]"),
      maxLength: el.maxLength,
      items: el.options ? [...el.options].map((o) => o.text) : null,
      selected: el.selectedIndex,
    }));
  }

  // A file of an origin-private folder, as bytes (null when it does not exist).
  async folderFile(folder, name) {
    return this.page.evaluate(
      async (folder, name) => {
        try {
          const dir = await (await navigator.storage.getDirectory()).getDirectoryHandle(folder);
          const file = await (await dir.getFileHandle(name)).getFile();
          return [...new Uint8Array(await file.arrayBuffer())];
        } catch (e) {
          return null;
        }
      },
      folder,
      name
    );
  }

  async putFolderFile(folder, name, bytes) {
    await this.page.evaluate(
      async (folder, name, bytes) => {
        const dir = await (await navigator.storage.getDirectory()).getDirectoryHandle(folder, { create: true });
        const out = await (await dir.getFileHandle(name, { create: true })).createWritable();
        await out.write(new Uint8Array(bytes));
        await out.close();
      },
      folder,
      name,
      [...bytes]
    );
  }

  async removeFolder(folder) {
    await this.page.evaluate(async (folder) => {
      await (await navigator.storage.getDirectory()).removeEntry(folder, { recursive: true });
    }, folder);
  }

  // Downloads go into a fresh folder of their own.
  async allowDownloads() {
    this.downloads = fs.mkdtempSync(path.join(os.tmpdir(), "camweb-downloads-"));
    const cdp = await this.page.createCDPSession();
    await cdp.send("Browser.setDownloadBehavior", {
      behavior: "allow",
      downloadPath: this.downloads,
      browserContextId: this.context.id,
    });
    return this.downloads;
  }
}

module.exports = { findPage, startServer, launch, Session, root };
