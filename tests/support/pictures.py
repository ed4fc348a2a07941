"""Measures of screenshots with ImageMagick, shared by the end-to-end suites."""
import subprocess


def _run(args, env):
    return subprocess.run(args, env=env, stdin=subprocess.DEVNULL, capture_output=True, text=True, check=True,
                          timeout=30)


def brightness(path, env=None, measure="maxima"):
    """The grey level of a picture: its brightest pixel, or with measure "mean" its mean."""
    return float(_run(["convert", path, "-colorspace", "gray", "-format", "%[fx:" + measure + "]", "info:"],
                      env).stdout)


def crop(path, geometry, out, env=None):
    """The part WxH+X+Y of a picture, as a picture of its own."""
    _run(["convert", path, "-crop", geometry, "+repage", out], env)
    return out


def rotation_mismatch(path, env=None, quarter_turns=1):
    """How far the central disc of a picture differs from itself turned by quarter turns
    (normalised RMSE of quarter-scale copies, 0 for a perfect match). Eight mirrored sectors
    repeat every 90 degrees about the picture's centre; the logo lies outside the disc, which
    is left in path + ".disc.png"."""
    size = _run(["identify", "-format", "%w %h", path], env).stdout.split()
    side = min(int(size[0]), int(size[1])) // 2 * 2
    c = side // 2  # the turn's centre, a pixel corner; drawing puts pixel centres on integers
    disc = path + ".disc.png"
    _run(["convert", path, "-gravity", "center", "-crop", "%dx%d+0+0" % (side, side), "+repage",
          "(", "+clone", "-fill", "black", "-colorize", "100", "-fill", "white", "-draw",
          "circle %.1f,%.1f %.1f,%.1f" % (c - 0.5, c - 0.5, c - 0.5, c - 0.5 + int(side * 0.45)), ")",
          "-alpha", "off", "-compose", "multiply", "-composite",
          # Fine detail a pixel off across a mirror line is no asymmetry.
          "-filter", "box", "-resize", "25%", disc], env)
    turned = path + ".turned.png"
    _run(["convert", disc, "-rotate", str(90 * quarter_turns), turned], env)
    compared = subprocess.run(["compare", "-metric", "RMSE", disc, turned, "null:"], env=env,
                              stdin=subprocess.DEVNULL, capture_output=True, text=True, timeout=30)
    return float(compared.stderr.split("(")[1].split(")")[0])


def kaleidoscope_about_centre(path, env=None):
    """True when the picture's central disc is a filled kaleidoscope of eight sectors about its
    centre: symmetric, and not a black disc (symmetric too) or one that a circle centred
    elsewhere only grazes."""
    mismatch = rotation_mismatch(path, env)
    filled = brightness(path + ".disc.png", env, "mean")
    return mismatch < 0.01 and filled > 0.05, (mismatch, filled)


def colour_histogram(path, env=None, levels=4):
    """Shares of the lit pixels by colour, each channel cut into `levels` steps: a picture's
    faces, wherever they lie."""
    data = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], env=env, stdin=subprocess.DEVNULL,
                          capture_output=True, check=True, timeout=30).stdout
    counts = {}
    step = 256 // levels
    for i in range(0, len(data) - 2, 3):
        r, g, b = data[i], data[i + 1], data[i + 2]
        if r + g + b < 48:
            continue
        key = (r // step, g // step, b // step)
        counts[key] = counts.get(key, 0) + 1
    total = sum(counts.values()) or 1
    return {key: count / total for key, count in counts.items()}


def histogram_distance(a, b):
    """Half the L1 distance of two histograms: 0 for the same colours, 1 for none shared."""
    return sum(abs(a.get(key, 0.0) - b.get(key, 0.0)) for key in set(a) | set(b)) / 2
