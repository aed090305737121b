#!/usr/bin/env node
"use strict";
// Times the web page in headless Chromium: from the start of loading until the first form is
// ready (also under a 4x CPU slowdown, as on a low-end phone), and a Generate of page 2 into a card
// folder (the browser's origin-private file system) from the press until the success box shows.
// Prints the median and the fastest of N runs.
//   node scripts/bench-web.js [PAGE] [RUNS]     (defaults: build/web/CamSetup-*.html, 10)
const path = require("path");
const {findPage, startServer, launch, Session} =
    require(path.join(__dirname, "../tests/web/harness"));

function summary(name, ms) {
    const sorted = [...ms].sort((a, b) => a - b);
    const median = sorted[Math.floor(sorted.length / 2)];
    console.log(`${name}: median ${median.toFixed(1)} ms, fastest ${sorted[0].toFixed(1)} ms (${
        ms.length} runs)`);
}

async function main() {
    const page = process.argv[2] || findPage();
    const runs = Number(process.argv[3] || 10);
    const server = await startServer(page);
    const browser = await launch();
    // A low-end phone: the first form under Chromium's 4x CPU slowdown.
    const slowReady = [];
    for (let i = 0; i < runs; i++) {
        const s = await Session.open(browser, server.url, {cpuSlowdown: 4});
        slowReady.push(await s.page.evaluate(() => window.camPage.readyAt));
        await s.close();
    }
    const ready = [];
    const generate = [];
    for (let i = 0; i < runs; i++) {
        const s = await Session.open(browser, server.url, {folder: "bench"});
        ready.push(
            // Navigation starts at time 0 of the page's clock.
            await s.page.evaluate(() => window.camPage.readyAt));
        await s.page.click("#card-pick");
        await s.settle();
        await s.press("main", "IDC_MAIN_3G_SETUP");
        await s.choose("page1", "IDC_PARAM_SEND_OPTION", 0);
        await s.press("page1", "IDC_PARAM_NEXT_PAGE");
        const sel = s.sel("page2", "IDC_SEND_GENERATE");
        generate.push(await s.page.evaluate(
            (sel) => new Promise((done) => {
                const box = document.getElementById("box");
                const start = performance.now();
                new MutationObserver(() => box.open && done(performance.now() - start))
                    .observe(box, {
                        attributes: true,
                    });
                document.querySelector(sel).click();
            }),
            sel));
        await s.answerBoxes();
        await s.close();
    }
    await browser.close();
    server.close();
    summary("first form ready (from the start of loading)", ready);
    summary("first form ready under a 4x CPU slowdown", slowReady);
    summary("Generate to the success box (file written to the folder and read back)", generate);
}

main().catch((e) => {
    console.error(e);
    process.exit(1);
});
