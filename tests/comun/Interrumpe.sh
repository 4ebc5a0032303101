# Sourced by the test scripts.
#   interrumpe SEÑAL LISTO COMANDO [ARGUMENTOS...]
# Runs the command in a process group of its own, as a terminal runs its foreground job, sends
# SEÑAL (INT for Ctrl-C, TERM) to the whole group once the file LISTO exists, and returns the
# command's status; 124 when LISTO does not appear within two minutes (the group is killed).
interrumpe() {
    local senal=$1 listo=$2 pid i
    shift 2
    set -m
    "$@" &
    pid=$!
    set +m
    for ((i = 0; i < 1200; i++)); do
        [ -e "$listo" ] || ! kill -0 "$pid" 2>/dev/null && break
        sleep 0.1
    done
    if [ ! -e "$listo" ]; then
        kill -KILL -- -"$pid" 2>/dev/null
        wait "$pid"
        return 124
    fi
    kill -"$senal" -- -"$pid"
    # Without the shell's word on a job the signal ended.
    wait "$pid" 2>/dev/null
}
