# Sourced by the scripts that need a private X display.
#
# start_xvfb: starts Xvfb on the first free display number from 90, and sets `xvfb` (its
# process) and `display` (its number); fails when none is free. Test runs side by side
# choose one at a time (a lock in /tmp): two servers started on one number at the same
# moment can both look alive for a while, and both runs would then use the one display.
# The display counts as ours once its socket is there and the X lock file names our server.
start_xvfb() {
    xvfb= display=
    # Another user's lock file cannot be opened: then the choice goes unlocked.
    lock=/tmp/.zelvane-xvfb.lock
    if [ -w "$lock" ] || [ ! -e "$lock" ]; then
        exec 8>>"$lock"
        flock 8
    fi
    for n in $(seq 90 140); do
        [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
        Xvfb :$n -screen 0 ${ZELVANE_SCREEN:-1024x768x24} -nolisten tcp >/dev/null 2>&1 8>&- &
        candidate=$!
        for _ in $(seq 100); do
            kill -0 $candidate 2>/dev/null || break
            if [ -e /tmp/.X11-unix/X$n ] && [ "$(tr -d ' \n' </tmp/.X$n-lock 2>/dev/null)" = "$candidate" ]; then
                xvfb=$candidate display=$n
                break 2
            fi
            sleep 0.1
        done
        kill $candidate 2>/dev/null || true
        wait $candidate 2>/dev/null || true
    done
    exec 8>&-
    [ -n "$xvfb" ]
}
