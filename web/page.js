"use strict";
// The page paints the forms the core's models describe and forwards the user's events to them;
// it decides nothing about the forms. Its own work is the card: moving CFG.BIN and menu.dat
// between the core's card folder (/card in memory) and the user's folder or a download.
(function() {
const CARD = "/card/";
const ids = JSON.parse(document.getElementById("ids").textContent);
const $ = (id) => document.getElementById(id);
const hasFolderApi = typeof window.showDirectoryPicker === "function";

let core = null;
let texts = {};
let shown = null;   // the last reply: the form shown and its state
let folder = null;  // the card's folder, when the browser lets the user choose one
// Page 1 and Camera Setup read the card at their first opening only.
const firstOpening = {
    page1: true,
    camera: true
};
// Events run one after the other, as in the windows.
let queue = Promise.resolve();

const call = (name, ...args) => {
    const types = args.map((a) => (typeof a === "string" ? "string" : "number"));
    return JSON.parse(core.ccall(name, "string", types, args));
};
const text = (key, name) => (texts[key] || key).replace("%s", name || "");

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
        // The save folder is the one chosen with the browser; the core knows it as /card.
        const savePath = (form === "page2" && id === ids.IDC_SEND_SAVE_PATH) ||
            (form === "camera" && id === ids.IDC_CAMERA_SAVE_PATH);
        el.readOnly = savePath;
        setEditText(el, savePath ? savePathText() : c.text);
        const type = c.masked ? "password" : "text";
        if (el.type !== type)
            el.type = type;
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

function paint(reply) {
    for (const section of document.querySelectorAll("section.form")) {
        section.hidden = section.id !== reply.form;
    }
    document.documentElement.lang = reply.lang === 0 ? "zh-CN" : "en";
    if (!shown || shown.lang !== reply.lang)
        paintPageTexts();
    $(reply.form + "-caption").textContent = reply.caption;
    for (const [id, c] of Object.entries(reply.controls)) paintControl(reply.form, Number(id), c);
    const opening = !shown || shown.form !== reply.form;
    shown = reply;
    if (opening) {
        const first = $(reply.form).querySelector("[tabindex=\"1\"]");
        if (first)
            first.focus();
    }
}

function paintPageTexts() {
    texts = JSON.parse(core.ccall("CamTexts", "string", [], []));
    $("card-title").textContent = text("card");
    $("card-pick").textContent = text("pickFolder");
    $("card-open-label").textContent = text("openFile");
    $("box-ok").textContent = text("ok");
    for (const b of document.querySelectorAll("button.close")) {
        b.textContent = "\u00d7";
        b.setAttribute("aria-label", text("close"));
        b.title = text("close");
    }
    showFolder();
}

function showFolder(note) {
    $("card-status").textContent =
        note || (folder ? text("folder", folder.name) : text("noFolder"));
}

// ---- message boxes -------------------------------------------------------------------------

function showBox(caption, message) {
    const box = $("box");
    $("box-caption").textContent = caption;
    $("box-text").textContent = message;
    const back = document.activeElement;
    return new Promise((done) => {
        box.addEventListener("close", () => {
            if (back && back.focus)
                back.focus();
            done();
        }, {once: true});
        box.showModal();
        $("box-ok").focus();
    });
}

// ---- the card ------------------------------------------------------------------------------

function sameBytes(a, b) {
    if (a.length !== b.length)
        return false;
    for (let i = 0; i < a.length; i++)
        if (a[i] !== b[i])
            return false;
    return true;
}

// The user's file into the core's card folder, where the form's first opening reads it.
async function copyIn(name) {
    if (!folder)
        return;
    try {
        const file = await (await folder.getFileHandle(name)).getFile();
        core.FS.writeFile(CARD + name, new Uint8Array(await file.arrayBuffer()));
    } catch (e) {
        try {
            core.FS.unlink(CARD + name);  // the folder has none: the form starts from its defaults
        } catch (ignored) {
        }
    }
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
        const back = new Uint8Array(
            await (await (await folder.getFileHandle(name)).getFile()).arrayBuffer());
        return sameBytes(back, bytes) ? null : "readBackDiffers";
    } catch (e) {
        return "readBackDiffers";
    }
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
    const bytes = core.FS.readFile(CARD + name);
    if (folder) {
        const problem = await writeToFolder(name, bytes);
        return problem ? [{caption: texts.warningCaption, text: text(problem, name)}] : boxes;
    }
    download(name, bytes);
    return boxes.map((b) => ({caption: b.caption, text: b.text + "\n" + text("downloaded", name)}));
}

async function pickFolder() {
    try {
        folder = await window.showDirectoryPicker({id: "card", mode: "readwrite"});
    } catch (e) {
        return false;  // cancelled
    }
    showFolder();
    return true;
}

async function openFile(input) {
    const file = input.files && input.files[0];
    if (!file)
        return;
    const name =
        [texts.cfgFile, texts.menuFile].find((n) => n.toLowerCase() === file.name.toLowerCase());
    if (!name) {
        showFolder(text("notCameraFile"));
        return;
    }
    core.FS.writeFile(CARD + name, new Uint8Array(await file.arrayBuffer()));
    showFolder(text("opened", name));
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
    if (form === "main" && (id === ids.IDC_MAIN_3G_SETUP || id === ids.IDC_MAIN_CAMERA_SETUP)) {
        const next = id === ids.IDC_MAIN_3G_SETUP ? "page1" : "camera";
        if (firstOpening[next])
            await copyIn(next === "page1" ? texts.cfgFile : texts.menuFile);
        firstOpening[next] = false;
    }
    const browse = (form === "page2" && id === ids.IDC_SEND_BROWSE) ||
        (form === "camera" && id === ids.IDC_CAMERA_BROWSE);
    if (browse) {
        if (!hasFolderApi) {
            await showBox(texts.noticeCaption, text("noFolder"));
            return;
        }
        if (!(await pickFolder()))
            return;
    }
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
    if (el.classList && el.classList.contains("close")) {
        run(() => handle(call("CamClose")));
        return;
    }
    const t = target(e);
    if (t && t.el.tagName === "BUTTON")
        run(() => press(t.form, t.id));
});
$("box-ok").addEventListener("click", () => $("box").close());
$("card-pick").addEventListener("click", () => run(pickFolder));
$("card-open").addEventListener("change", (e) => run(() => openFile(e.target)));

setInterval(() => {
    if (shown && shown.form === "camera" && !$("box").open)
        run(() => handle(call("CamTick")));
}, 1000);

// ---- start ---------------------------------------------------------------------------------

// Main Setup's close box ends the program; a page has nothing to end.
$("main-close").hidden = true;
$("card-pick").hidden = !hasFolderApi;
$("card-open-field").hidden = hasFolderApi;
CamSetupModule().then((module) => {
    core = module;
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
