#!/usr/bin/env bash
# Makes the seed corpora under corpus/ from the project's own test material:
#   mp3       each MP3 fixture cut to its tags and first frames (head, ID3v1 tail)
#   color     the texts of the colour block tests
#   markup    the texts of the colour code and pattern text tests
#   settings  the settings files the settings tests load
#   display   the templates of the display tests, each with one song and words
# Each seed is named after a hash of its bytes. Run this after changing those
# tests; the seeds are committed. tools/fuzz.sh writes what the fuzzers find
# elsewhere (build/fuzz/found), never here.
set -euo pipefail
cd "$(dirname "$0")"

python3 - <<'PY'
import hashlib, pathlib, re

tests = pathlib.Path("..")
corpus = pathlib.Path("corpus")

def literals(path, prefix):
    """The string literals of a C++ file with that prefix (u or none); adjacent ones joined."""
    source = path.read_text(encoding="utf-8")
    one = r'%s"((?:[^"\\\n]|\\.)*)"' % prefix
    run = re.compile(r'(?<![\w"])(?:%s\s*)+' % one)
    for match in run.finditer(source):
        text = "".join(m.group(1) for m in re.finditer(one, match.group(0)))
        yield re.sub(r'\\(u[0-9a-fA-F]{4}|x[0-9a-fA-F]{2}|.)', unescape, text)

def unescape(match):
    code = match.group(1)
    if code[0] in "ux":
        return chr(int(code[1:], 16))
    return {"n": "\n", "r": "\r", "t": "\t", "0": "\0"}.get(code, code)

def write(target, seeds):
    folder = corpus / target
    folder.mkdir(parents=True, exist_ok=True)
    for old in folder.iterdir():
        old.unlink()
    for seed in sorted(set(seeds)):
        (folder / hashlib.sha1(seed).hexdigest()[:16]).write_bytes(seed)
    print(f"{target}: {len(set(seeds))} seeds, {sum(map(len, set(seeds)))} bytes")

def texts(*files):
    return [t.encode("utf-8") for f in files for t in literals(tests / f, "u") if len(t) > 1]

mp3 = []
for fixture in sorted((tests / "metadata/fixtures").glob("*.mp3")):
    data = fixture.read_bytes()
    tail = data[-128:] if data[-128:].startswith(b"TAG") else b""
    mp3.append(data[:1024] + tail)
write("mp3", mp3)

write("color", texts("message/ExpandPatternsTest.cpp", "message/ColorPatternTest.cpp"))
write("markup", texts("message/WinMXColorTextTest.cpp", "message/PatternTextTest.cpp"))

def byte_string(text):
    """A plain literal's bytes: up to U+00FF one byte each (as its \\x escapes write them), others in UTF-8."""
    return b"".join(bytes([ord(c)]) if ord(c) < 256 else c.encode("utf-8") for c in text)

# The committed settings seeds stay: they hold odd files whose round trip
# only the replay checks now.
settings = [byte_string(t) for t in literals(tests / "settings/SettingsFileTest.cpp", "")
            if "=" in t and "\\" not in t]
write("settings", settings + [f.read_bytes() for f in (corpus / "settings").glob("*")])

song = "\nAbc - Hey - TOP40 Hits\nHey - TOP40 Hits\nAbc\nAlbum\n - TOP40\nonly\nother"
write("display", [t + song.encode("utf-8") for t in texts("message/DisplayMessageTest.cpp") if b"%" in t or b"[" in t])
PY
