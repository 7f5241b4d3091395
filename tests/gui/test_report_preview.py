"""The report preview from the real program: started on a sample design, the main
window shows the design's information; Ctrl+R opens the preview, Page Down turns a
page, "Save as PDF" writes the full report (checked with pdfinfo), Escape closes the
preview, and closing the unmodified design asks nothing and exits 0."""

import os
import re
import subprocess

import guitest as g

DESIGN = "kvr_horizontal_ch34.bcst"


def pdf_pages(path):
    out = g.run(["pdfinfo", path], timeout=30)
    m = re.search(r"^Pages:\s+(\d+)", out, re.M)
    if not m:
        raise g.GuiTestError("pdfinfo shows no page count for %s" % path)
    return int(m.group(1))


def test(args):
    design = os.path.join(args.samples, DESIGN)
    expected_pdf = os.path.join(args.out, "preview-report-reference.pdf")
    subprocess.run([args.cli, "report", design, "-o", expected_pdf],
                   stdout=subprocess.PIPE, text=True, timeout=60, check=True)
    expected = pdf_pages(expected_pdf)
    pdf = os.path.join(args.out, "preview-saved.pdf")
    if os.path.exists(pdf):
        os.remove(pdf)

    with g.App(args.velmo, [design], splash_ms=300) as app:
        main = g.find_window("^Orvane Velmo$", pid=app.proc.pid)
        g.key(main, "ctrl+r")
        preview = g.find_window("^Preview", pid=app.proc.pid, timeout=30)
        g.screenshot(args.out, "preview_page1")
        g.key(preview, "Next")
        g.screenshot(args.out, "preview_page2")

        # "Save as PDF…" is the third button of the preview's tool bar, which starts
        # at the window's top left corner (Print, Close, Save as PDF…).
        g.click(preview, 290, 23)
        save = g.find_window("^Save as PDF", pid=app.proc.pid)
        g.key(save, "ctrl+a")
        g.type_text(save, pdf)
        g.key(save, "Return")
        g.wait_window_gone(save)
        g.wait_for(lambda: os.path.exists(pdf) and os.path.getsize(pdf) > 0, timeout=60,
                   what="the PDF file")
        pages = pdf_pages(pdf)
        if pages != expected:
            raise g.GuiTestError("the saved PDF has %d pages, the report %d" % (pages, expected))

        g.key(preview, "Escape")
        g.wait_window_gone(preview)
        g.key(main, "alt+f", "x")
        code = app.wait_exit(timeout=10)
        if code != 0:
            raise g.GuiTestError("exit code %d" % code)


if __name__ == "__main__":
    g.main(test)
