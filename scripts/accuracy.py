#!/usr/bin/python3
"""How close Velmar's numbers come to an independent ephemeris.

Runs velmar-cli for 200 fixed instants between 1950 and 2050 and for 40 new
and full moons, computes the same quantities with PyEphem (Debian's
python3-ephem) for the same instants, sites and values of delta T, and
prints the median, the 95th percentile and the worst difference of each.

    scripts/accuracy.py [--cli PATH] [--check] [--markdown]

With --check it fails (exit status 1) when a difference leaves the bounds
measured when the table in the README was made: a changed term in one of
the series shows up here.
"""
import argparse
import math
import os
import subprocess
import sys

import ephem

HERE = os.path.dirname(os.path.abspath(__file__))
AU_KM = 149597870.7
JST = 9 / 24.0  # Japan Standard Time is UT + 9 h

# Tokyo: the site of every comparison.
SITE_LAT = 35.6895
SITE_LON = 139.6917

# Worst and 95th-percentile differences measured for the README's table,
# with a little room; --check fails beyond them.
BOUNDS = {
    "moon_lon": (24.0, 28.0),
    "moon_lat": (5.2, 10.2),
    "moon_dist": (10.2, 16.0),
    "sun_lon": (4.6, 6.5),
    "ra": (34.0, 41.0),
    "dec": (13.2, 19.5),
    "az": (0.023, 0.073),
    "alt": (1.0, 1.05),
    "new": (90.0, 92.0),
    "full": (100.0, 102.0),
}

ROWS = [
    # key, label, unit
    ("moon_lon", "Moon ecliptic longitude", "arcsec"),
    ("moon_lat", "Moon ecliptic latitude", "arcsec"),
    ("moon_dist", "Moon distance", "km"),
    ("sun_lon", "Sun ecliptic longitude", "arcsec"),
    ("ra", "Moon right ascension", "arcsec"),
    ("dec", "Moon declination", "arcsec"),
    ("az", "Moon azimuth (geocentric vs. topocentric)", "deg"),
    ("alt", "Moon altitude (geocentric vs. topocentric)", "deg"),
    ("new", "New moon instant", "s"),
    ("full", "Full moon instant", "s"),
]


def instants(n):
    """n fixed instants, whole seconds, spread over 1950-2050 (JST)."""
    start = ephem.Date("1950/1/1 00:00:00") + JST
    span = float(ephem.Date("2051/1/1 00:00:00")) - float(ephem.Date("1950/1/1 00:00:00"))
    state = 20011209
    out = []
    for _ in range(n):
        # A small linear congruential generator: the same list everywhere.
        state = (1103515245 * state + 12345) % 2**31
        days = span * state / 2**31
        out.append(ephem.Date(round((start + days) * 86400) / 86400.0))
    return out


def jst_parts(d_ut):
    """Date and time texts for velmar-cli of a UT instant, in JST."""
    y, mo, day, h, mi, s = ephem.Date(d_ut + JST).tuple()
    s = int(round(s))
    carry = ephem.Date(ephem.Date((y, mo, day, h, mi, 0)) + s / 86400.0).tuple()
    y, mo, day, h, mi, s = carry
    return "%04d-%02d-%02d" % (y, mo, day), "%02d:%02d:%02d" % (h, mi, int(round(s)))


def velmar(cli, d_ut, dt, extra=()):
    date, time = jst_parts(d_ut)
    args = [cli, "--date", date, "--time", time, "--dt", "%.6f" % dt,
            "--lat", str(SITE_LAT), "--lon", str(SITE_LON)] + list(extra)
    r = subprocess.run(args, capture_output=True, text=True, check=True)
    fields = {}
    for line in r.stdout.splitlines():
        if "\t" in line:
            label, text = line.split("\t", 1)
            fields.setdefault(label, text)
    return fields


def num(fields, label):
    return float(fields[label])


def angle_diff(a, b):
    """a - b in degrees, taken in (-180, 180]."""
    d = (a - b) % 360.0
    return d - 360.0 if d > 180.0 else d


def ephem_state(d_ut):
    moon = ephem.Moon()
    moon.compute(d_ut, epoch=d_ut)
    ecl = ephem.Ecliptic(moon, epoch=d_ut)
    sun = ephem.Sun()
    sun.compute(d_ut, epoch=d_ut)
    sun_ecl = ephem.Ecliptic(sun, epoch=d_ut)
    obs = ephem.Observer()
    obs.lat, obs.lon = str(SITE_LAT), str(SITE_LON)
    obs.elevation = 0
    obs.pressure = 0  # no refraction: Velmar has none either
    obs.date = d_ut
    obs.epoch = d_ut
    topo = ephem.Moon()
    topo.compute(obs)
    return {
        "moon_lon": math.degrees(ecl.lon),
        "moon_lat": math.degrees(ecl.lat),
        "moon_dist": moon.earth_distance * AU_KM,
        "sun_lon": math.degrees(sun_ecl.lon),
        "ra": math.degrees(moon.g_ra),
        "dec": math.degrees(moon.g_dec),
        "az": math.degrees(topo.az),
        "alt": math.degrees(topo.alt),
    }


def compare_instant(cli, d_ut):
    dt = ephem.delta_t(d_ut)
    v = velmar(cli, d_ut, dt)
    e = ephem_state(d_ut)
    dec = num(v, "月の赤緯")
    return {
        "moon_lon": abs(angle_diff(num(v, "月の黄経"), e["moon_lon"])) * 3600,
        "moon_lat": abs(num(v, "月の黄緯") - e["moon_lat"]) * 3600,
        "moon_dist": abs(num(v, "月の地心距離(km)") - e["moon_dist"]),
        "sun_lon": abs(angle_diff(num(v, "太陽の黄経"), e["sun_lon"])) * 3600,
        # On the sky: the hour-angle difference shrinks with the declination.
        "ra": abs(angle_diff(num(v, "月の赤経") * 15, e["ra"])) * 3600 * math.cos(math.radians(dec)),
        "dec": abs(dec - e["dec"]) * 3600,
        "az": abs(angle_diff(num(v, "月の方位"), e["az"])),
        "alt": abs(num(v, "月の高度") - e["alt"]),
    }


def shown_instant_ut(fields):
    """The instant the fields show, in UT."""
    d = ephem.Date((int(fields["年"]), int(fields["月"]), int(fields["日"]),
                    int(fields["時"]), int(fields["分"]), float(fields["秒"])))
    return ephem.Date(d - JST)


def compare_phase(cli, d_ut, kind):
    dt = ephem.delta_t(d_ut)
    v = velmar(cli, d_ut, dt, ["--search", kind])
    found = shown_instant_ut(v)
    if kind == "new":
        near = [ephem.previous_new_moon(found + 1), ephem.next_new_moon(found - 1)]
    else:
        near = [ephem.previous_full_moon(found + 1), ephem.next_full_moon(found - 1)]
    return min(abs(float(found) - float(n)) for n in near) * 86400


def percentile(values, p):
    s = sorted(values)
    if not s:
        return float("nan")
    k = (len(s) - 1) * p
    lo, hi = math.floor(k), math.ceil(k)
    return s[lo] + (s[hi] - s[lo]) * (k - lo)


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--cli", default=os.path.join(HERE, "..", "build", "velmar-cli"))
    ap.add_argument("--check", action="store_true")
    ap.add_argument("--markdown", action="store_true")
    args = ap.parse_args()

    diffs = {key: [] for key, _, _ in ROWS}
    for d in instants(200):
        for key, value in compare_instant(args.cli, d).items():
            diffs[key].append(value)
    for d in instants(220)[200:]:
        diffs["new"].append(compare_phase(args.cli, d, "new"))
        diffs["full"].append(compare_phase(args.cli, d, "full"))

    if args.markdown:
        print("| quantity | unit | median | 95th percentile | worst |")
        print("|---|---|---:|---:|---:|")
    else:
        print("%-44s %-7s %10s %10s %10s" % ("quantity", "unit", "median", "95%", "worst"))
    failed = []
    for key, label, unit in ROWS:
        v = diffs[key]
        med, p95, worst = percentile(v, 0.5), percentile(v, 0.95), max(v)
        fmt = "%.3f" if unit == "deg" else "%.1f"
        cells = [fmt % med, fmt % p95, fmt % worst]
        if args.markdown:
            print("| %s | %s | %s |" % (label, unit, " | ".join(cells)))
        else:
            print("%-44s %-7s %10s %10s %10s" % (label, unit, *cells))
        bound_p95, bound_worst = BOUNDS[key]
        if p95 > bound_p95 or worst > bound_worst:
            failed.append("%s: 95%% %s, worst %s (bounds %s, %s %s)"
                          % (label, fmt % p95, fmt % worst, bound_p95, bound_worst, unit))
    if args.check and failed:
        print("\nOutside the measured bounds:", file=sys.stderr)
        for f in failed:
            print("  " + f, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
