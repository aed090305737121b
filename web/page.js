"use strict";
// The page paints the forms the core's models describe and forwards the user's events to them;
// it decides nothing about the forms. Its own work is the card: moving CFG.BIN and menu.dat
// between the core's card (file images in memory) and the user's folder or a download, asking
// before it replaces a file the forms did not read, and telling what it found and where it wrote.
(function() {
const ids = JSON.parse(document.getElementById("ids").textContent);
const $ = (id) => document.getElementById(id);
const hasFolderApi = typeof window.showDirectoryPicker === "function";

let core = null;
let texts = {};
let shown = null;         // the last reply: the form shown and its state
let folder = null;        // the save folder, when the browser lets the user choose one
let cardFolder = null;    // the folder the forms read, chosen as the card's
let filesOpened = false;  // the card's files opened instead
// What the page found on the card, a note each, said again when the language changes:
// {note} the core's note number note, {note, file, openedAs} a file opened under another name,
// {notCameraFile} a file opened that is neither of the camera's.
let cardNotes = [];
// Events run one after the other, as in the windows.
let queue = Promise.resolve();

const call = (name, ...args) => {
    const types = args.map((a) => (typeof a === "string" ? "string" : "number"));
    return JSON.parse(core.ccall(name, "string", types, args));
};
// A page text with each "%s" replaced by the next value.
const text = (key, ...values) => (texts[key] || key).replace(/%s/g, () => values.shift() || "");
const cameraFiles = () => [texts.cfgFile, texts.menuFile];

// ---- painting ------------------------------------------------------------------------------

function setEditText(el, value) {
    if (el.value === value)
        return;
    // The caret stays where the first character the model removed was.
    let at = 0;
    while (at < value.length && value[at] === el.value[at]) at++;
    const focused = document.activeElement === el;
    el.value = value;
    if (focused)
        el.setSelectionRange(at, at);
}

function savePathText() { return folder ? folder.name : text("downloads"); }

function paintControl(form, id, c) {
    const el = $(form + "-" + id);
    if (!el)
        return;
    if (el.tagName === "FIELDSET") {
        $(form + "-" + id + "-legend").textContent = c.text;
        $(form + "-" + id + "-fold").textContent = c.text;
        el.hidden = !c.shown;
        return;
    }
    if (el.tagName === "SELECT") {
        const items = JSON.stringify(c.items);
        if (el.dataset.items !== items) {
            el.replaceChildren(...c.items.map((t) => new Option(t)));
            el.dataset.items = items;
        }
        el.selectedIndex = c.sel;
    } else if (el.type === "checkbox") {
        el.checked = c.sel === 1;
        $(form + "-" + id + "-text").textContent = c.text;
    } else if (el.tagName === "INPUT") {
        // The save folder is the one chosen with the browser; the core knows it by another name.
        const savePath = (form === "page2" && id === ids.IDC_SEND_SAVE_PATH) ||
            (form === "camera" && id === ids.IDC_CAMERA_SAVE_PATH);
        el.readOnly = savePath;
        setEditText(el, savePath ? savePathText() : c.text);
        const type = c.masked ? "password" : "text";
        if (el.type !== type)
            el.type = type;
        el.inputMode =
            c.input === "numeric" || c.input === "tel" || c.input === "email" ? c.input : "";
        // The browser fills in nothing: the passwords are the camera's, never the user's to save
        // or fill ("new-password": Chromium's password manager ignores "off"), and the phone
        // numbers and addresses are the camera's recipients and accounts, which "tel" or "email"
        // would fill with the user's own, the same in every slot.
        el.autocomplete = c.input === "password" ? "new-password" : "off";
        if (c.limit > 0)
            el.maxLength = c.limit;
        else
            el.removeAttribute("maxlength");
    } else {
        el.textContent = c.text;
    }
    if (el.tagName === "LABEL" || el.tagName === "SPAN")
        el.classList.toggle("disabled", !c.enabled);
    else
        el.disabled = !c.enabled;
    (el.closest(".field") && el.tagName !== "LABEL" ? el.closest(".field") : el).hidden = !c.shown;
}

// The form's section; a form that opens for the first time is made from its text in the page.
function formSection(name) {
    const text = $(name + "-form");
    if (text) {
        text.insertAdjacentHTML("afterend", text.textContent);
        text.remove();
        paintTextsIn($(name));
    }
    return $(name);
}

function paint(reply) {
    formSection(reply.form);
    for (const section of document.querySelectorAll("section.form")) {
        section.hidden = section.id !== reply.form;
    }
    document.documentElement.lang = reply.lang === 0 ? "zh-CN" : "en";
    if (!shown || shown.lang !== reply.lang)
        paintPageTexts();
    $(reply.form + "-caption").textContent = reply.caption;
    for (const [id, c] of Object.entries(reply.controls)) paintControl(reply.form, Number(id), c);
    for (const group of $(reply.form).querySelectorAll("fieldset.group")) fold(group);
    // A form that opens takes the focus (not the first one, as the page loads).
    const opening = shown && shown.form !== reply.form;
    shown = reply;
    if (opening) {
        const first = [...$(reply.form).querySelectorAll(".body :is(input, select, button)")].find(
            (el) => !el.disabled && !el.classList.contains("fold") && el.getClientRects().length);
        if (first)
            first.focus();
    }
}

// A titled group whose shown controls are all disabled (or hidden) folds to its title, a button
// that opens it (its controls still disabled); the page is as long as what the user can change.
// A group with controls of which none shows (only a label would) is left out.
function fold(group) {
    const button = group.querySelector(":scope > legend > .fold");
    const title = button.previousElementSibling;
    const controls = [...group.querySelectorAll("input, select, button:not(.fold)")];
    const shown = controls.filter((el) => !el.closest("[hidden]"));
    group.classList.toggle("empty", controls.length > 0 && !shown.length);
    const foldable =
        title.textContent !== "" && controls.length > 0 && shown.every((el) => el.disabled);
    if (!foldable)
        delete group.dataset.opened;
    const folded = foldable && !group.dataset.opened;
    group.classList.toggle("folded", folded);
    button.hidden = !foldable;
    title.hidden = foldable || title.textContent === "";
    button.setAttribute("aria-expanded", String(!folded));
}

// The page's texts in the forms made so far (or in one just made).
function paintTextsIn(root) {
    for (const el of root.querySelectorAll("[data-text]"))
        el.textContent = texts[el.dataset.text] || "";
    for (const b of root.querySelectorAll("button.close")) {
        b.textContent = "\u00d7";
        b.setAttribute("aria-label", text("close"));
        b.title = text("close");
    }
}

function paintPageTexts() {
    texts = JSON.parse(core.ccall("CamTexts", "string", [], []));
    $("card-title").textContent = text("card");
    $("card-intro").textContent = text("cardIntro");
    paintTextsIn(document);
    $("card-pick").textContent = text("pickFolder");
    $("card-open-label").textContent = text("openFile");
    $("box-ok").textContent = text("ok");
    $("box-cancel").textContent = text("cancel");
    showFolder();
    showNotes();
}

function showFolder(note) {
    $("card-status").textContent = note ||
        (folder ? text("folder", folder.name) : text(filesOpened ? "filesOpened" : "noFolder"));
}

// ---- message boxes -------------------------------------------------------------------------

// A message box; with yes (the key of the confirming button's text) it asks, and gives whether
// the user confirmed.
function showBox(caption, message, yes) {
    const box = $("box");
    $("box-caption").textContent = caption;
    $("box-text").textContent = message;
    $("box-ok").textContent = text(yes || "ok");
    $("box-cancel").hidden = !yes;
    box.returnValue = "";
    const back = document.activeElement;
    return new Promise((done) => {
        box.addEventListener("close", () => {
            if (back && back.focus && document.contains(back))
                back.focus();
            done(box.returnValue === "ok");
        }, {once: true});
        box.showModal();
        $("box-ok").focus();
    });
}

const ask = (message, yes) => showBox(texts.noticeCaption, message, yes);

// ---- the card ------------------------------------------------------------------------------

function sameBytes(a, b) {
    if (a.length !== b.length)
        return false;
    for (let i = 0; i < a.length; i++)
        if (a[i] !== b[i])
            return false;
    return true;
}

// The folder's files by their names in lower case, as the card's FAT file system matches them;
// an exact name comes before another spelling.
async function filesIn(dir) {
    const found = new Map();
    for await (const [name, handle] of dir.entries()) {
        const key = name.toLowerCase();
        if (handle.kind === "file" && (!found.has(key) || cameraFiles().includes(name)))
            found.set(key, name);
    }
    return found;
}

async function fileBytes(dir, name) {
    return new Uint8Array(await (await (await dir.getFileHandle(name)).getFile()).arrayBuffer());
}

// A file's bytes into the core's buffer, which CamCardFile and CamOpenedFile read.
function handOver(bytes) {
    core.HEAPU8.set(bytes, core.ccall("CamBytes", "number", ["number"], [bytes.length]));
}

function noteText(n) {
    if (n.notCameraFile)
        return text("notCameraFile", n.notCameraFile);
    const said = call("CamCardNote", n.note).text;
    return n.openedAs ? text("openedAs", n.openedAs, n.file) + " " + said : said;
}

function showNotes() {
    $("card-notes").replaceChildren(...cardNotes.map((n) => {
        const li = document.createElement("li");
        li.textContent = noteText(n);
        return li;
    }));
}

// Choosing a card starts the forms afresh on it; entries not yet generated go only when the
// user says so.
async function mayStartAfresh() {
    return !core.ccall("CamHasEntries", "number", [], []) || ask(text("confirmStart"), "start");
}

// The card's folder chosen: its CFG.BIN and menu.dat (in any case) handed to the core's card,
// a note on each, and the forms start afresh on it.
async function chooseCard() {
    const dir = await pickFolder();
    if (!dir || !(await mayStartAfresh()))
        return;
    folder = cardFolder = dir;
    const found = await filesIn(dir);
    cardNotes = [];
    for (const name of cameraFiles()) {
        const onCard = found.get(name.toLowerCase());
        if (onCard)
            handOver(await fileBytes(dir, onCard));
        call("CamCardFile", name, onCard ? 1 : 0, cardNotes.length);
        cardNotes.push({note: cardNotes.length});
    }
    showFolder();
    showNotes();
    await handle(call("CamStartOnCard"));
}

// Files opened from the card: each taken by its content, whatever a download named it.
async function openFiles(input) {
    const files = [...(input.files || [])];
    input.value = "";
    if (!files.length || !(await mayStartAfresh()))
        return;
    cardNotes = [];
    for (const file of files) {
        handOver(new Uint8Array(await file.arrayBuffer()));
        const got = call("CamOpenedFile", cardNotes.length);
        cardNotes.push(!got.file ? {notCameraFile: file.name} : {
            note: cardNotes.length,
            file: got.file,
            openedAs: file.name === got.file ? null : file.name
        });
    }
    folder = cardFolder = null;
    filesOpened = true;
    showFolder();
    showNotes();
    await handle(call("CamStartOnCard"));
}

// Before a command writes name into the save folder: a file there that the forms did not read
// is replaced only when the user says so.
async function mayReplace(name) {
    if (!folder || (cardFolder && (await folder.isSameEntry(cardFolder))))
        return true;
    const found = await filesIn(folder).catch(() => new Map());
    return !found.has(name.toLowerCase()) ||
        ask(text("confirmReplace", folder.name, found.get(name.toLowerCase())), "replace");
}

// The written file onto the card, read back and compared; a reason it is not there as written.
async function writeToFolder(name, bytes) {
    try {
        const handle = await folder.getFileHandle(name, {create: true});
        const out = await handle.createWritable();
        await out.write(bytes);
        await out.close();
    } catch (e) {
        return "writeFailed";
    }
    try {
        if (!sameBytes(await fileBytes(folder, name), bytes))
            return "readBackDiffers";
    } catch (e) {
        return "readBackDiffers";
    }
    // The same file under another spelling, which a folder that tells case apart keeps beside
    // the new one, is the old file: the camera would read either. A folder that does not tell
    // case apart (the card's own) lists the one file under one name, which is left alone.
    try {
        const entries = [];
        for await (const entry of folder.entries()) entries.push(entry);
        const written = entries.find(([other]) => other === name);
        for (const [other, handle] of entries) {
            if (written && handle.kind === "file" && other !== name &&
                other.toLowerCase() === name.toLowerCase() &&
                !(await handle.isSameEntry(written[1])))
                await folder.removeEntry(other);
        }
    } catch (e) {
    }
    return null;
}

function download(name, bytes) {
    const url = URL.createObjectURL(new Blob([bytes], {type: "application/octet-stream"}));
    const a = document.createElement("a");
    a.href = url;
    a.download = name;
    a.hidden = true;
    document.body.append(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(url), 10000);
}

// The boxes a command that wrote a file shows: its success only once the file is where the
// user will take it from.
async function deliver(name, boxes) {
    const at = core.ccall("CamCardImage", "number", ["string"], [name]);
    const bytes =
        core.HEAPU8.slice(at, at + core.ccall("CamCardImageSize", "number", ["string"], [name]));
    if (folder) {
        const problem = await writeToFolder(name, bytes);
        return problem ? [{caption: texts.warningCaption, text: text(problem, name)}] :
                         boxes.map((b) => ({
                                       caption: b.caption,
                                       text: b.text + "\n" + text("wroteTo", name, folder.name)
                                   }));
    }
    download(name, bytes);
    return boxes.map((b) => ({caption: b.caption, text: b.text + "\n" + downloadAdvice(name)}));
}

// How to put a downloaded file onto the card, for the system the browser runs on.
function downloadAdvice(name) {
    const ua = navigator.userAgent;
    const system = /Android/.test(ua) ? "adviceAndroid" :
        /iPhone|iPad|iPod/.test(ua) || (/Macintosh/.test(ua) && navigator.maxTouchPoints > 1) ?
                                        "adviceIos" :
        /Macintosh/.test(ua) ? "adviceMac" :
                               "adviceOther";
    return [
        text("downloaded", name), text(system),
        text("exactName", name, name.replace(/\.(\w+)$/, " (1).$1"))
    ].join("\n");
}

// A folder chosen with the browser; null when cancelled.
async function pickFolder() {
    try {
        return await window.showDirectoryPicker({id: "card", mode: "readwrite"});
    } catch (e) {
        return null;
    }
}

// ---- events --------------------------------------------------------------------------------

async function handle(reply) {
    paint(reply);
    const whole = reply.selectWhole && $(reply.form + "-" + reply.selectWhole);
    if (whole && document.activeElement === whole)
        whole.select();
    let boxes = reply.boxes;
    if (reply.wrote)
        boxes = await deliver(reply.wrote, boxes);
    for (const b of boxes) await showBox(b.caption, b.text);
}

let pending = 0;  // events queued or running
function run(event) {
    pending++;
    queue = queue.then(event).catch((e) => console.error(e)).finally(() => pending--);
    return queue;
}

async function press(form, id) {
    const browse = (form === "page2" && id === ids.IDC_SEND_BROWSE) ||
        (form === "camera" && id === ids.IDC_CAMERA_BROWSE);
    if (browse) {
        if (!hasFolderApi) {
            await showBox(texts.noticeCaption, text("noFolderApi"));
            return;
        }
        const dir = await pickFolder();
        if (!dir)
            return;
        folder = dir;
        showFolder();
        await handle(call("CamFolderChosen"));
        return;
    }
    if (form === "camera" && id === ids.IDC_CAMERA_DEFAULT &&
        !(await ask(text("confirmDefault"), "write")))
        return;
    const writes = form === "page2" && id === ids.IDC_SEND_GENERATE ? texts.cfgFile :
        form === "camera" && (id === ids.IDC_CAMERA_GENERATE || id === ids.IDC_CAMERA_DEFAULT) ?
                                                                      texts.menuFile :
                                                                      null;
    if (writes && !(await mayReplace(writes)))
        return;
    await handle(call("CamPress", id));
}

function target(e) {
    const el = e.target;
    const section = el.closest && el.closest("section.form");
    if (!section || !el.dataset.id)
        return null;
    return {form: section.id, id: Number(el.dataset.id), el};
}

document.addEventListener("change", (e) => {
    const t = target(e);
    if (!t)
        return;
    if (t.el.tagName === "SELECT")
        run(() => handle(call("CamChoose", t.id, t.el.selectedIndex)));
    else if (t.el.type === "checkbox")
        run(() => handle(call("CamCheck", t.id, t.el.checked ? 1 : 0)));
});
document.addEventListener("input", (e) => {
    const t = target(e);
    if (!t || t.el.tagName !== "INPUT" || t.el.type === "checkbox" || e.isComposing)
        return;
    run(() => handle(call("CamType", t.id, t.el.value)));
});
document.addEventListener("compositionend", (e) => {
    const t = target(e);
    if (t)
        run(() => handle(call("CamType", t.id, t.el.value)));
});
document.addEventListener("focusout", (e) => {
    const t = target(e);
    if (!t || t.el.tagName !== "INPUT" || t.el.type === "checkbox" || !shown)
        return;
    if (t.form === shown.form)
        run(() => handle(call("CamLeave", t.id)));
});
document.addEventListener("click", (e) => {
    const el = e.target;
    if (el.classList && el.classList.contains("fold")) {
        const group = el.closest("fieldset");
        group.dataset.opened = group.classList.contains("folded") ? "1" : "";
        if (!group.dataset.opened)
            delete group.dataset.opened;
        fold(group);
        return;
    }
    if (el.classList && el.classList.contains("close")) {
        run(() => handle(call("CamClose")));
        return;
    }
    const t = target(e);
    if (t && t.el.tagName === "BUTTON")
        run(() => press(t.form, t.id));
});
$("box-ok").addEventListener("click", () => $("box").close("ok"));
$("box-cancel").addEventListener("click", () => $("box").close(""));
$("card-pick").addEventListener("click", () => run(chooseCard));
$("card-open").addEventListener("change", (e) => run(() => openFiles(e.target)));

setInterval(() => {
    if (shown && shown.form === "camera" && !$("box").open)
        run(() => handle(call("CamTick")));
}, 1000);

// ---- start ---------------------------------------------------------------------------------

// Main Setup's close box ends the program; a page has nothing to end.
$("main-close").hidden = true;
$("card-pick").hidden = !hasFolderApi;
$("card-open-field").hidden = hasFolderApi;
// The core starts on the WebAssembly the page compiled as it loaded.
const instantiateWasm = (imports, done) => {
    window.camCoreWasm.then((compiled) => WebAssembly.instantiate(compiled, imports))
        .then((instance) => done(instance));
    return {};
};
CamSetupModule({instantiateWasm}).then((module) => {
    core = module;
    // The program's trace, into the console, only when the address asks for it: ...?trace
    core.ccall("CamTrace", null, ["number"], [new URLSearchParams(location.search).has("trace")]);
    const reply = call("CamStart", navigator.language || "");
    handle(reply).then(() => {
        $("app").setAttribute("aria-busy", "false");
        window.camPage.readyAt = performance.now();
        document.body.dataset.ready = "1";
    });
});

// Whether events are still being handled (the tests and the benchmark wait for it).
window.camPage = {
    busy: () => pending > 0
};
})();
