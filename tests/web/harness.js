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
const tempDir = (what) => fs.mkdtempSync(path.join(os.tmpdir(), `camweb-${what}-`));

function findPage() {
    if (process.env.CAMSETUP_PAGE)
        return process.env.CAMSETUP_PAGE;
    const dir = path.join(root, "build/web");
    const name =
        fs.existsSync(dir) && fs.readdirSync(dir).find((n) => /^CamSetup-.*\.html$/.test(n));
    if (!name)
        throw new Error("no CamSetup-<version>.html in build/web: run scripts/build-web.sh");
    return path.join(dir, name);
}

async function startServer(file) {
    const body = fs.readFileSync(file);
    const server = http.createServer((req, res) => {
        const page = req.url === "/" || req.url.startsWith("/?");  // the page, with its parameters
        if (!page)
            server.otherRequests.push(req.url);
        res.writeHead(page ? 200 : 404, {"Content-Type": "text/html; charset=utf-8"});
        res.end(page ? body : "");
    });
    server.otherRequests = [];
    await new Promise((done) => server.listen(0, "127.0.0.1", done));
    server.url = `http://127.0.0.1:${server.address().port}/`;
    return server;
}

async function launch() {
    const profile = tempDir("profile");
    const browser = await puppeteer.launch({
        executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
        headless: true,
        args: [
            "--headless=new", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
            "--disable-component-update", "--disable-sync", "--no-first-run",
            `--user-data-dir=${profile}`
        ],
    });
    browser.profile = profile;
    return browser;
}

class Session {
    // The page in a browser context of its own. lang: the browser's language; folder: the
    // origin-private folder the folder picker gives; folderApi false: a browser without the File
    // System Access API; touch: a phone's touch screen; cpuSlowdown: Chromium's CPU throttling
    // (4: a low-end phone); query: the address's parameters ("?trace").
    static async open(browser, url, {
        lang = "en-US",
        folder = null,
        folderApi = true,
        width = 1280,
        height = 800,
        touch = false,
        cpuSlowdown = 1,
        query = ""
    } = {}) {
        const s = new Session();
        s.url = url + query;
        s.requests = [];
        s.context = await browser.createBrowserContext();
        s.page = await s.context.newPage();
        await s.page.setViewport({width, height, hasTouch: touch, isMobile: touch});
        s.page.on("request", (r) => s.requests.push(r.url()));
        s.page.on("pageerror", (e) => s.requests.push("page error: " + e.message));
        s.console = [];
        s.page.on("console", (m) => {
            s.console.push(m.text());
            if (m.type() === "error")
                s.requests.push("console: " + m.text());
        });
        if (cpuSlowdown > 1) {
            await (await s.page.createCDPSession()).send("Emulation.setCPUThrottlingRate", {
                rate: cpuSlowdown
            });
        }
        await s.page.evaluateOnNewDocument((lang, folder, folderApi) => {
            Object.defineProperty(navigator, "language", {get: () => lang});
            if (!folderApi)
                delete Window.prototype.showDirectoryPicker, delete window.showDirectoryPicker;
            else if (folder) {
                window.showDirectoryPicker = async () =>
                    (await navigator.storage.getDirectory()).getDirectoryHandle(folder, {
                        create: true
                    });
            }
        }, lang, folder, folderApi);
        await s.page.goto(s.url);
        await s.page.waitForSelector("body[data-ready]");
        s.ids = await s.page.evaluate(() => JSON.parse(document.getElementById("ids").textContent));
        return s;
    }

    close() { return this.context.close(); }

    // Requests beyond the page itself (and errors of its script).
    otherRequests() {
        return this.requests.filter((u) => u !== this.url && !/^(data|blob):/.test(u));
    }

    sel(form, name) {
        if (this.ids[name] === undefined)
            throw new Error("no control " + name);
        return `#${form}-${this.ids[name]}`;
    }

    form() {
        return this.page.evaluate(() => document.querySelector("section.form:not([hidden])").id);
    }

    // Until the page has handled every event, or shows a message box.
    settle() {
        return this.page.waitForFunction(
            () => !camPage.busy() || document.getElementById("box").open);
    }

    async box() {
        await this.settle();
        return this.page.evaluate(() => {
            const box = document.getElementById("box");
            return box.open ? {
                caption: box.querySelector("h2").textContent,
                text: box.querySelector("p").textContent
            } :
                              null;
        });
    }

    // Answers every message box shown, a question with its confirming button unless no is set;
    // returns them.
    async answerBoxes(no = false) {
        const seen = [];
        for (let b = await this.box(); b; b = await this.box()) {
            seen.push(b);
            const asks = await this.page.evaluate(() => {
                const cancel = document.getElementById("box-cancel");
                return !!cancel && !cancel.hidden;
            });
            await this.page.click(asks && no ? "#box-cancel" : "#box-ok");
        }
        return seen;
    }

    // The names of the files in an origin-private folder.
    folderNames(folder) {
        return this.page.evaluate(async (folder) => {
            const dir = await (await navigator.storage.getDirectory()).getDirectoryHandle(folder);
            const names = [];
            for await (const name of dir.keys()) names.push(name);
            return names.sort();
        }, folder);
    }

    // The folder the folder picker gives from now on.
    pickerGives(folder) {
        return this.page.evaluate((folder) => {
            window.showDirectoryPicker = async () =>
                (await navigator.storage.getDirectory()).getDirectoryHandle(folder, {create: true});
        }, folder);
    }

    // Chooses an item, by its text or position; returns the position.
    async choose(form, name, item) {
        const index = await this.page.$eval(this.sel(form, name), (el, item) => {
            const texts = [...el.options].map((o) => o.text);
            const index = typeof item === "number" ? item : texts.indexOf(item);
            if (index < 0 || el.disabled)
                throw new Error(`${el.id}: cannot choose "${item}" of ${texts}`);
            el.selectedIndex = index;
            el.dispatchEvent(new Event("change", {bubbles: true}));
            return index;
        }, item);
        await this.settle();
        return index;
    }

    // Types into an edit with the keyboard, replacing its text.
    async type(form, name, text) {
        await this.page.click(this.sel(form, name), {clickCount: 3});
        await this.page.keyboard.press("Backspace");
        await this.page.keyboard.type(text);
        await this.settle();
    }

    async check(form, name, on) {
        if ((await this.page.$eval(this.sel(form, name), (el) => el.checked)) !== on)
            await this.page.click(this.sel(form, name));
        await this.settle();
    }

    // The focus leaves an edit.
    async leave(form, name) {
        await this.page.$eval(this.sel(form, name), (el) => (el.focus(), el.blur()));
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

    async pickFolder() {
        await this.page.click("#card-pick");
        await this.settle();
    }

    state(form, name) {
        return this.page.$eval(
            this.sel(form, name), (el) => ({
                                      value: el.value,
                                      type: el.type,
                                      inputMode: el.inputMode,
                                      autocomplete: el.autocomplete,
                                      disabled: el.disabled,
                                      hidden: !!el.closest("[hidden]"),
                                      item: el.options ? el.options[el.selectedIndex].text : null,
                                      selected: el.selectedIndex,
                                  }));
    }

    // The bytes of a file in an origin-private folder; null when there is none.
    folderFile(folder, name) {
        return this.page.evaluate(async (folder, name) => {
            try {
                const dir =
                    await (await navigator.storage.getDirectory()).getDirectoryHandle(folder);
                return [...new Uint8Array(
                    await (await (await dir.getFileHandle(name)).getFile()).arrayBuffer())];
            } catch (e) {
                return null;
            }
        }, folder, name);
    }

    putFolderFile(folder, name, bytes) {
        return this.page.evaluate(async (folder, name, bytes) => {
            const dir = await (await navigator.storage.getDirectory()).getDirectoryHandle(folder, {
                create: true
            });
            const out = await (await dir.getFileHandle(name, {create: true})).createWritable();
            await out.write(new Uint8Array(bytes));
            await out.close();
        }, folder, name, [...bytes]);
    }

    removeFolder(folder) {
        return this.page.evaluate(
            async (f) => (await navigator.storage.getDirectory()).removeEntry(f, {recursive: true}),
            folder);
    }

    // Downloads go into a fresh folder, returned.
    async allowDownloads() {
        const dir = tempDir("downloads");
        const cdp = await this.page.createCDPSession();
        await cdp.send(
            "Browser.setDownloadBehavior",
            {behavior: "allow", downloadPath: dir, browserContextId: this.context.id});
        return dir;
    }
}

module.exports = {
    findPage,
    startServer,
    launch,
    Session,
    root,
    tempDir
};
