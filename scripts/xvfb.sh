# Sourced: start_xvfb starts an Xvfb on a free display number, exports DISPLAY and sets
# xvfb_pid; stop_xvfb ends it. Xvfb writes the number it chose once it accepts clients.
# -noreset: by default the server resets whenever its last client leaves, and a program that
# connects during the reset fails to open the display.
start_xvfb() {
    local line
    exec 3< <(Xvfb -displayfd 4 -screen 0 1280x1024x24 -nolisten tcp -noreset 4>&1 >/dev/null 2>&1 &
              echo "pid $!")
    xvfb_pid=""
    local display=""
    for _ in 1 2; do
        read -r -t 30 line <&3 || break
        case "$line" in
            pid\ *) xvfb_pid=${line#pid } ;;
            *) display=$line ;;
        esac
    done
    if [ -z "$display" ]; then
        echo "Xvfb did not start" >&2
        return 1
    fi
    export DISPLAY=":$display"
}

stop_xvfb() {
    if [ -n "${xvfb_pid:-}" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=""
    fi
}
