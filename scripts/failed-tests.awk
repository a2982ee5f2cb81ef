# Reads a ctest JUnit report and prints a line for each test that did not
# pass: "silent NAME" for one that failed without writing anything at all,
# "STATUS NAME" for the others ("fail" with output, "notrun").
function unescape(text) {
    gsub(/&lt;/, "<", text)
    gsub(/&gt;/, ">", text)
    gsub(/&quot;/, "\"", text)
    gsub(/&apos;/, "'", text)
    gsub(/&amp;/, "\\&", text)
    return text
}
# Output is escaped in the report, so these tags only ever come from ctest.
/<testcase / {
    name = ""
    status = ""
    quiet = 0
    if (match($0, / name="[^"]*"/))
        name = unescape(substr($0, RSTART + 7, RLENGTH - 8))
    if (match($0, / status="[^"]*"/))
        status = substr($0, RSTART + 9, RLENGTH - 10)
}
/<system-out><\/system-out>|<system-out\/>/ { quiet = 1 }
/<\/testcase>/ {
    if (status == "fail" && quiet)
        print "silent " name
    else if (status != "run" && status != "disabled")
        print status " " name
}
