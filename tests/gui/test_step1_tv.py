"""Step 1 of a new TV design, driven with keys and clicks: market, channel, family,
mount and polarization, then Next; the saved design holds those choices."""

import guitest as g
import step1_walk as w


def test(args):
    with g.App(args.velmo, splash_ms=300) as app:
        wizard = w.new_design(app, fm=False)
        g.screenshot(args.out, "step1_tv_entered", wizard)
        # The page starts in step 1: the arrow key selects "Europe".
        g.key(wizard, "Down")
        g.screenshot(args.out, "step1_tv_europe", wizard)
        # The wizard window is laid out at 800 x 600: "United States" lies in the
        # first step box, top left.
        g.click(wizard, 70, 58)
        g.key(wizard, "Tab")  # step 2, the channel list
        g.type_text(wizard, "34")
        # Step 3: from the selected family down to "KVR Series Medium Power UHF";
        # step 4: "Top Mount"; step 5: "Elliptical / Circular".
        g.key(wizard, "Tab", "Down", "Down", "Tab", "Down", "Tab", "Down")
        g.screenshot(args.out, "step1_tv_chosen", wizard)
        g.key(wizard, "Return")  # Next
        g.screenshot(args.out, "step1_tv_step2", wizard)
        values = w.finish_and_save(app, wizard, args.out, "step1_tv")
        w.expect(values, market="0", channel="34", family="KVR", powercode="M",
                 mountcode="T", polcode="E", verticalcomponent="100", service="1")


if __name__ == "__main__":
    g.main(test)
