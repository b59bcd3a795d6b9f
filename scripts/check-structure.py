#!/usr/bin/env python3
"""Checks the shape of the sources under src/ (see check-structure.sh).

- no file under src/core includes a header of Qt Widgets, Qt Print Support,
  Qt WebEngine Widgets or Qt OpenGL Widgets;
- no file under src/ is longer than MAX_FILE_LINES lines;
- no function under src/ is longer than MAX_FUNCTION_LINES lines, counted
  from the line of its opening brace to the line of its closing brace.

Functions are found with a brace-counting heuristic over the text with its
comments, string and character literals removed: a brace opened outside any
function, whose head (the text since the previous declaration) ends in a
parameter list, optionally followed by qualifiers or a constructor's
initializer list, opens a function body. Braces inside a function body
(lambdas, blocks, initializers) belong to that function.
"""
import os
import re
import subprocess
import sys

MAX_FILE_LINES = 400
MAX_FUNCTION_LINES = 60
SOURCE_SUFFIXES = (".cpp", ".h", ".hpp", ".cc")
WIDGET_MODULES = ("QtWidgets", "QtPrintSupport", "QtWebEngineWidgets", "QtOpenGLWidgets")
NON_WIDGET_MODULES = ("QtCore", "QtGui")

CONTAINER_HEAD = re.compile(r"\b(namespace|class|struct|union|enum)\b|\bextern\s*\"\"\s*$")
QUALIFIERS = r"(\s*(const|volatile|noexcept(\s*\([^()]*\))?|override|final|mutable|&&?|" \
             r"->\s*[\w:<>,\s*&]+|requires\b.*))*"
FUNCTION_HEAD = re.compile(r"\)" + QUALIFIERS + r"\s*$", re.S)
CONSTRUCTOR_HEAD = re.compile(r"\)" + QUALIFIERS + r"\s*:[^;]*[)}]\s*$", re.S)
CONTROL_HEAD = re.compile(r"\b(if|for|while|switch|catch)\s*\(")
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]', re.M)


def qt_headers_dir():
    for command in (["qtpaths6", "--query", "QT_INSTALL_HEADERS"],
                    ["qmake6", "-query", "QT_INSTALL_HEADERS"]):
        try:
            out = subprocess.run(command, capture_output=True, text=True, check=True).stdout
        except (OSError, subprocess.CalledProcessError):
            continue
        if os.path.isdir(out.strip()):
            return out.strip()
    sys.exit("check-structure: cannot find Qt's headers (qtpaths6, qmake6)")


def module_headers(root, modules):
    names = set()
    for module in modules:
        folder = os.path.join(root, module)
        if os.path.isdir(folder):
            names.update(name.lower() for name in os.listdir(folder))
    return names


def widget_header_check(root):
    """Returns a function telling whether an include names a widget header."""
    qt = qt_headers_dir()
    widget_names = module_headers(qt, WIDGET_MODULES) - module_headers(qt, NON_WIDGET_MODULES)

    def is_widget_header(include):
        parts = include.split("/")
        if parts[0] in WIDGET_MODULES:
            return True
        return len(parts) == 1 and include.lower() in widget_names

    return is_widget_header


def strip_code(text):
    """Blanks comments, literals and preprocessor lines, keeping line breaks."""
    out = []
    i, n = 0, len(text)
    at_line_start = True
    while i < n:
        c = text[i]
        if at_line_start and c == "#":
            end = i
            while end < n and (text[end] != "\n" or text[end - 1] == "\\"):
                end += 1
            out.append("\n" * text.count("\n", i, end))
            i = end
            continue
        if c == "\n":
            at_line_start = True
            out.append(c)
            i += 1
            continue
        if not c.isspace():
            at_line_start = False
        if text.startswith("//", i):
            end = text.find("\n", i)
            i = n if end < 0 else end
            continue
        if text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            out.append("\n" * text.count("\n", i, end))
            i = end
            continue
        raw = re.match(r'R"([^()\\\s]{0,16})\(', text[i:i + 20])
        if raw and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == "_")
                    or text[i - 1] in "uU8L"):
            close = ")" + raw.group(1) + '"'
            end = text.find(close, i + raw.end())
            end = n if end < 0 else end + len(close)
            out.append('""' + "\n" * text.count("\n", i, end))
            i = end
            continue
        if c in "\"'":
            # A digit separator (1'000) is not a character literal.
            if c == "'" and i > 0 and text[i - 1].isalnum() and text[i - 1] not in "uUL8":
                i += 1
                continue
            end = i + 1
            while end < n and text[end] != c and text[end] != "\n":
                end += 2 if text[end] == "\\" else 1
            out.append(c + c)
            i = end + 1
            continue
        out.append(c)
        i += 1
    return "".join(out)


def long_functions(text):
    """Yields (first line, length in lines) of every function over the limit."""
    code = strip_code(text)
    # Each open block: ("container" | "function" | "data", line opened).
    stack = []
    head = []
    line = 1
    for c in code:
        if c == "\n":
            line += 1
        inside_function = any(kind == "function" for kind, _ in stack)
        if inside_function:
            if c == "{":
                stack.append(("data", line))
            elif c == "}" and stack:
                kind, opened = stack.pop()
                if kind == "function" and line - opened + 1 > MAX_FUNCTION_LINES:
                    yield opened, line - opened + 1
            continue
        if c == "{":
            text_before = "".join(head)
            if CONTAINER_HEAD.search(text_before) and not text_before.rstrip().endswith(")"):
                stack.append(("container", line))
                head = []
            elif (FUNCTION_HEAD.search(text_before) or CONSTRUCTOR_HEAD.search(text_before)) \
                    and not CONTROL_HEAD.search(text_before) \
                    and not text_before.rstrip().endswith("="):
                stack.append(("function", line))
                head = []
            else:
                stack.append(("data", line))
                head.append(c)
        elif c == "}":
            if stack:
                kind, _ = stack.pop()
                if kind == "data":
                    head.append(c)
                    continue
            head = []
        elif c == ";":
            if stack and stack[-1][0] == "data":
                head.append(c)
            else:
                head = []
        elif stack and stack[-1][0] == "data":
            head.append(c)
        else:
            head.append(c)


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    os.chdir(root)
    is_widget_header = widget_header_check(root)
    problems = []
    for folder, dirs, files in os.walk("src"):
        dirs.sort()
        for name in sorted(files):
            path = os.path.join(folder, name)
            with open(path, encoding="utf-8", errors="replace") as f:
                text = f.read()
            lines = text.count("\n") + (0 if text.endswith("\n") or not text else 1)
            if lines > MAX_FILE_LINES:
                problems.append(f"{path}: {lines} lines (at most {MAX_FILE_LINES})")
            if not name.endswith(SOURCE_SUFFIXES):
                continue
            if path.startswith(os.path.join("src", "core") + os.sep):
                for match in INCLUDE.finditer(text):
                    if is_widget_header(match.group(1)):
                        at = text.count("\n", 0, match.start()) + 1
                        problems.append(f"{path}:{at}: includes the widget header "
                                        f"<{match.group(1)}>")
            for first, length in long_functions(text):
                problems.append(f"{path}:{first}: a function of {length} lines "
                                f"(at most {MAX_FUNCTION_LINES})")
    for problem in problems:
        print(problem)
    if problems:
        print(f"check-structure: {len(problems)} problem(s)")
        return 1
    print("check-structure: the sources keep their shape")
    return 0


if __name__ == "__main__":
    sys.exit(main())
