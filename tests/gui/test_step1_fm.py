"""Step 1 of a new FM design, driven with keys and clicks: channel, polarization,
family, feed, radome and deicer, a station class, then an ERP typed over the limit;
Enter limits it and presses Next. The saved design holds those choices."""

import guitest as g
import step1_walk as w


def test(args):
    with g.App(args.velmo, splash_ms=300) as app:
        wizard = w.new_design(app, fm=True)
        g.screenshot(args.out, "step1_fm_entered", wizard)
        # The wizard window is laid out at 800 x 600: the channel list is the first
        # step box, top left.
        g.click(wizard, 60, 116)  # a click on channel 203
        g.type_text(wizard, "250")  # then the list's search jumps to 250
        # Step 2 keeps "Circular"; step 3: "TGX SPINDRAKE"; its only mount is taken
        # by itself; step 5: "Center Fed"; steps 6 and 7: radomes and deicers.
        g.key(wizard, "Tab", "Tab", "Down", "space", "Tab", "Tab", "Down", "space",
              "Tab", "space", "Tab", "space")
        g.screenshot(args.out, "step1_fm_chosen", wizard)
        # Step 8 by keys, whatever size the window has: the fifth class button
        # ("Class C1"), then past "Class C" into the ERP box, which selects its text.
        g.key(wizard, "Tab", "Tab", "Tab", "Tab", "Tab", "space")
        g.screenshot(args.out, "step1_fm_class_c1", wizard)
        g.key(wizard, "Tab", "Tab")
        g.type_text(wizard, "15x00")  # the letter is refused
        g.screenshot(args.out, "step1_fm_typed", wizard)
        g.key(wizard, "Return")  # limits the ERP to 1000 and presses Next
        g.screenshot(args.out, "step1_fm_step2", wizard)
        values = w.finish_and_save(app, wizard, args.out, "step1_fm")
        w.expect(values, channel="250", polcode="E", family="TGX", mountcode="S",
                 feedcode="C", radome="1", deicer="1", max_erp_kw="1000", service="1")


if __name__ == "__main__":
    g.main(test)
