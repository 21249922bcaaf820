#!/usr/bin/env python3
"""Checks a Vendrake evidence file (vendrake-archive export --format evidence) with
nothing but Python's standard library: every record's digest over its values and the
digest before it, record numbers without a gap, the head at the end, and that every
time stamp covers the digest the file gives for its record.

    python3 check_export.py EXPORT [--stamps FOLDER]

With --stamps, each time stamp's token is written to FOLDER/stamp-N.tsr (DER) and the
32 bytes it was given to FOLDER/stamp-N.data, for `openssl ts -verify` (see
archive_integration.md). Exits 0 when the file holds, 1 when it does not (the reason on
stderr), 2 on a usage error."""
import base64
import hashlib
import json
import os
import sys

FIRM_KEYS = ["name", "address", "ogrn", "grn", "inn", "kpp", "date", "authority",
             "authority_address", "region"]
RECORD_KEYS = ["checked_at", "origin", "service", "typed", "mode", "name", "address",
               "region", "date", "number", "language", "outcome", "message_kind",
               "message", "pages", "pages_sha256"]


class NoGood(Exception):
    pass


def text(value):
    # Numbers are digested as their decimal text, scores as written in the file.
    if isinstance(value, bool) or value is None:
        raise NoGood("a value is not text or a number")
    return str(value)


def digest_of(record, previous):
    parts = [previous, text(record["id"])]
    parts += [text(record[key]) for key in RECORD_KEYS]
    firms = record["firms"]
    parts.append(str(len(firms)))
    for firm in firms:
        parts += [text(firm[key]) for key in FIRM_KEYS]
    screening = record.get("screening")
    if screening is not None:
        parts += ["screening", str(len(screening["versions"]))]
        for version in screening["versions"]:
            parts += [text(version[key]) for key in ("list", "number", "digest")]
        parts.append(str(len(screening["matches"])))
        for match in screening["matches"]:
            parts += [text(match[key]) for key in
                      ("firm_name", "firm_inn", "firm_ogrn", "list", "version",
                       "entity_id", "caption", "schema")]
            parts.append(str(len(match["topics"])))
            parts += [text(topic) for topic in match["topics"]]
            parts += [text(match[key]) for key in
                      ("kind", "what", "firm_value", "entity_value", "score")]
    hasher = hashlib.sha256()
    for part in parts:
        data = part.encode("utf-8")
        hasher.update(str(len(data)).encode("ascii") + b":" + data)
    return hasher.hexdigest()


def check(lines, folder):
    base = None
    expected = previous = None
    stamps = []
    head = None
    records = 0
    chained = {}  # every record's digest in the file, by number
    last_time = None  # the time of the last line's record; None after a pruned one
    for number, line in enumerate(lines, 1):
        if not line.strip():
            continue
        if head is not None:
            raise NoGood("line %d follows the head" % number)
        # Scores stay as written: their text is what was digested.
        item = json.loads(line, parse_float=str)
        if base is None:
            if item.get("evidence") != "vendrake archive":
                raise NoGood("line %d is no evidence" % number)
            base = item["base"]
            expected, previous = base + 1, item["base_digest"]
        elif "stamp" in item:
            if records > 0 or expected != base + 1:
                raise NoGood("line %d: a time stamp after the records" % number)
            stamps.append(item["stamp"])
        elif "record" in item:
            record = item["record"]
            if record["id"] != expected:
                raise NoGood("record %d expected, line %d holds record %s"
                             % (expected, number, record["id"]))
            if digest_of(record, previous) != record["digest"]:
                raise NoGood("record %d was altered" % expected)
            previous, expected, records = record["digest"], expected + 1, records + 1
            chained[record["id"]] = previous
            last_time = record["checked_at"]
        elif "pruned" in item:
            if item["pruned"] != expected:
                raise NoGood("record %d was removed" % expected)
            previous, expected = item["digest"], expected + 1
            chained[item["pruned"]] = previous
            last_time = None
        elif "head" in item:
            head = item["head"]
            if head["last"] != expected - 1 or head["digest"] != previous:
                raise NoGood("the head names record %s, the file ends with record %d"
                             % (head["last"], expected - 1))
            if head["records"] < records or (head["base"] == base and head["records"] != records):
                raise NoGood("the head counts %s records, the file holds %d"
                             % (head["records"], records))
            if last_time is not None and head["time"] != last_time:
                raise NoGood("the head's time %s is not record %s's (%s)"
                             % (head["time"], head["last"], last_time))
        else:
            raise NoGood("line %d is no evidence" % number)
    if head is None:
        raise NoGood("the evidence ends before its head")
    for index, stamp in enumerate(stamps, 1):
        if chained.get(stamp["record"]) != stamp["digest"]:
            raise NoGood("the time stamp of record %s covers another digest" % stamp["record"])
        if folder:
            with open(os.path.join(folder, "stamp-%d.tsr" % index), "wb") as out:
                out.write(base64.b64decode(stamp["token"], validate=True))
            with open(os.path.join(folder, "stamp-%d.data" % index), "wb") as out:
                out.write(bytes.fromhex(stamp["digest"]))
    print("%d records hold, head record %s digest %s" % (records, head["last"], head["digest"]))
    for index, stamp in enumerate(stamps, 1):
        print("stamp %d covers record %s (%s)" % (index, stamp["record"], stamp["authority"]))
    return 0


def main(args):
    folder = None
    if len(args) == 3 and args[1] == "--stamps":
        folder = args[2]
    elif len(args) != 1:
        print("usage: check_export.py EXPORT [--stamps FOLDER]", file=sys.stderr)
        return 2
    try:
        with open(args[0], encoding="utf-8") as export:
            return check(export.read().split("\n"), folder)
    except NoGood as problem:
        print("check_export: %s" % problem, file=sys.stderr)
    except (KeyError, TypeError, ValueError, AttributeError) as problem:
        print("check_export: the file is no evidence (%s)" % problem, file=sys.stderr)
    return 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
