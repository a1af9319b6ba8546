# Turns a program's --help text into a manual page (roff), so the page says what the program says.
#   PROGRAM --help | awk -v name=PROGRAM -v version=0.02 -v summary="fallback line" -f help-to-man.awk
# The layout it reads, and nothing more: a "usage: PROGRAM ..." line; then paragraphs separated by
# blank lines. A paragraph whose lines start with spaces and hold "TERM  description" (two or more
# spaces between) is a list of options or keys; a line more indented than its list's terms continues
# the description above it. A line ending with ":" alone names the section of the list below it
# ("Options:", "Keys:"). Any other paragraph is text: the first one is the description, and its first
# sentence the summary of the NAME line. Unknown shapes still come out as text, never lost.

function escape(s) {
    gsub(/\\/, "\\e", s)
    return s
}

# Text for a roff line: backslashes escaped, option names with real minus signs, and a line that would
# start with a roff control character guarded.
function text(s,    n, words, i, out) {
    s = escape(s)
    n = split(s, words, " ")
    out = ""
    for (i = 1; i <= n; ++i) {
        if (words[i] ~ /^[[(]?-/) {
            gsub(/-/, "\\-", words[i])
        }
        out = out (i > 1 ? " " : "") words[i]
    }
    if (out ~ /^[.']/) {
        out = "\\&" out
    }
    return out
}

# An option's or key's term: option names bold, their arguments italic.
function term(s,    n, words, i, out, word, tail) {
    n = split(escape(s), words, " ")
    out = ""
    for (i = 1; i <= n; ++i) {
        word = words[i]
        tail = ""
        if (word ~ /.,$/) {
            tail = ","
            word = substr(word, 1, length(word) - 1)
        }
        if (word ~ /^-/) {
            gsub(/-/, "\\-", word)
            out = out (i > 1 ? " " : "") "\\fB" word "\\fR" tail
        } else if (word ~ /^[A-Z][A-Z0-9_.|=]*$/ || word ~ /^[A-Z][A-Z0-9_]*\./) {
            out = out (i > 1 ? " " : "") "\\fI" word "\\fR" tail
        } else {
            out = out (i > 1 ? " " : "") "\\fB" word "\\fR" tail
        }
    }
    return out
}

function indent_of(s) {
    match(s, /^ */)
    return RLENGTH
}

function section(title) {
    if (title != current) {
        body = body ".SH " toupper(title) "\n"
        current = title
    }
}

# One paragraph of the help text, held in para[1..count].
function flush(    i, line, first, listIndent, isList, heading, parts, rest, desc) {
    if (count == 0) {
        return
    }
    first = 1
    heading = ""
    if (para[1] ~ /^[A-Za-z][A-Za-z ]*:$/ && count > 1) {
        heading = substr(para[1], 1, length(para[1]) - 1)
        first = 2
    }
    isList = para[first] ~ /^ +[^ ]/ && (para[first] ~ /^ +[^ ].*[^ ]  +[^ ]/ || count > first)
    if (isList) {
        listIndent = indent_of(para[first])
        if (heading != "") {
            section(heading)
        } else if (current == "" || current == "DESCRIPTION") {
            section(para[first] ~ /^ +-/ ? "OPTIONS" : "DESCRIPTION")
        }
        for (i = first; i <= count; ++i) {
            line = para[i]
            if (indent_of(line) > listIndent || line !~ /^ /) {
                sub(/^ +/, "", line)
                body = body text(line) "\n"
                continue
            }
            sub(/^ +/, "", line)
            if (match(line, /  +/)) {
                rest = substr(line, RSTART + RLENGTH)
                line = substr(line, 1, RSTART - 1)
            } else {
                rest = ""
            }
            body = body ".TP\n" term(line) "\n"
            if (rest != "") {
                body = body text(rest) "\n"
            }
        }
    } else {
        # "Keys: 0-9 choose..." opens a section of its own.
        if (heading == "" && match(para[first], /^[A-Z][a-z]+( [a-z]+)?: /)) {
            heading = substr(para[first], 1, RLENGTH - 2)
            para[first] = substr(para[first], RLENGTH + 1)
        }
        if (heading != "") {
            section(heading)
        } else if (current == "") {
            section("DESCRIPTION")
        }
        desc = ""
        body = body ".PP\n"
        for (i = first; i <= count; ++i) {
            line = para[i]
            sub(/^ +/, "", line)
            body = body text(line) "\n"
            desc = desc (desc == "" ? "" : " ") line
        }
        if (found == "" && current == "DESCRIPTION") {
            found = desc
        }
    }
    count = 0
}

BEGIN {
    count = 0
    current = ""
    found = ""
    usage = ""
    body = ""
}

{
    sub(/\r$/, "")
    gsub(/\t/, "        ")
}

usage == "" && tolower($0) ~ /^usage: / {
    usage = substr($0, 8)
    sub(/^ +/, "", usage)
    next
}

/^ *$/ {
    flush()
    next
}

{
    para[++count] = $0
}

END {
    flush()
    if (usage == "") {
        usage = name " [OPTIONS]"
    }
    # The NAME line's description: the description's first sentence, or the given summary.
    line = found
    if (match(line, /[.;:]( |$)/)) {
        line = substr(line, 1, RSTART - 1)
    }
    if (line == "") {
        line = summary
    }
    if (line ~ /^[A-Z][a-z]/) {
        line = tolower(substr(line, 1, 1)) substr(line, 2)
    }
    upper = toupper(name)
    gsub(/-/, "\\-", upper)
    print ".TH " upper " 1 \"\" \"Korvel Engine " version "\" \"Korvel Engine\""
    print ".SH NAME"
    print name " \\- " text(line)
    print ".SH SYNOPSIS"
    rest = usage
    if (index(rest, name) == 1) {
        rest = substr(rest, length(name) + 2)
    }
    print ".B " name
    if (rest != "") {
        print text(rest)
    }
    printf "%s", body
}
