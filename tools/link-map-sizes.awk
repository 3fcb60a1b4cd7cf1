# What takes the room in a program, from the map GNU ld writes with -Wl,-Map: the bytes
# of the input sections each archive (or object file) brought in, largest first, in KiB.
# Debug sections are left out, as a stripped program has none.
#   awk -f tools/link-map-sizes.awk calendario.map
function hex(text,    n, i) {
    n = 0
    for (i = 3; i <= length(text); i++)
        n = n * 16 + index("0123456789abcdef", substr(text, i, 1)) - 1
    return n
}
/^Linker script and memory map/ { mapped = 1; next }
!mapped { next }
# An input section: " .name 0xADDRESS 0xSIZE file", or its name alone on one line and the
# rest on the next when the name is long.
/^ [^ ]+$/ { section = $1; next }
{
    if ($0 ~ /^ [^ ]+ +0x[0-9a-f]+ +0x[0-9a-f]+ +[^ ]/) {
        section = $1; size = $3; $1 = $2 = $3 = ""
    } else if ($0 ~ /^ +0x[0-9a-f]+ +0x[0-9a-f]+ +[^ ]/) {
        size = $2; $1 = $2 = ""
    } else {
        next
    }
    if (section ~ /^\.debug/ || section == "*fill*")
        next
    file = $0
    sub(/^ +/, "", file)
    sub(/\(.*$/, "", file)
    sub(/^.*\//, "", file)
    bytes[file] += hex(size)
}
END {
    for (file in bytes)
        printf "%8.0f KiB  %s\n", bytes[file] / 1024, file | "sort -rn"
}
