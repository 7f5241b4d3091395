"""Both step 1 pages of a new design on a 800 x 600 screen (screenshots), then
Cancel and Exit."""

import guitest as g
import step1_walk as w


def test(args):
    w.screenshots_of_both_pages(args, "800x600")


if __name__ == "__main__":
    g.main(test)
