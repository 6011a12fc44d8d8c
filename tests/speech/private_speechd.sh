# A private speech-dispatcher for tests and benchmarks, sourced by them: its
# own configuration, socket, pid file and home, the espeak-ng module, and
# ALSA output into a raw file over the null device (an .asoundrc in that
# home), so nothing is heard and what was said can be measured. It never
# meets a server the desktop runs.
#   startspeechd DIR   starts it in DIR and exports SPEECHD_ADDRESS; the
#                      speech lands in DIR/speech.raw; false if it did not start
#   stopspeechd        ends it
#   captured           bytes of speech the server has written so far

speechdpid=""
speechddir=""

startspeechd() {
    speechddir=$1
    mkdir -p "$speechddir/conf/modules" "$speechddir/home"
    cat >"$speechddir/conf/speechd.conf" <<CONF
LogLevel 1
LogDir "$speechddir"
AudioOutputMethod "alsa"
AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"
DefaultModule espeak-ng
CONF
    : >"$speechddir/conf/modules/espeak-ng.conf"
    cat >"$speechddir/home/.asoundrc" <<ALSA
pcm.!default {
    type file
    slave.pcm "null"
    file "$speechddir/speech.raw"
    format "raw"
}
ALSA
    HOME=$speechddir/home speech-dispatcher -s -t 0 -C "$speechddir/conf" -c unix_socket \
        -S "$speechddir/socket" -P "$speechddir/pid" >"$speechddir/server.log" 2>&1 &
    speechdpid=$!
    for _ in $(seq 100); do
        [ -S "$speechddir/socket" ] && break
        sleep 0.1
    done
    export SPEECHD_ADDRESS=unix_socket:$speechddir/socket
    [ -S "$speechddir/socket" ]
}

stopspeechd() {
    if [ -n "$speechdpid" ]; then
        kill "$speechdpid" 2>/dev/null || true
        wait "$speechdpid" 2>/dev/null || true
    fi
    speechdpid=""
}

captured() { stat -c %s "$speechddir/speech.raw" 2>/dev/null || echo 0; }
