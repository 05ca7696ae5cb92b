# Sourced by ./test (and by anyone who wants the same environment by hand):
#   source scripts/test-services.sh; start_test_services; ...; stop_test_services
# Starts a virtual screen with a window manager, and a private print server on
# a socket of its own with test queues. The machine's own spooler settings are
# never touched: clients reach the private server through CUPS_SERVER.

_valdora_services_dir=""
_valdora_pids=()
# The checkout this file belongs to, whoever sources it and from where.
_valdora_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

_start_screen() {
  local display
  for display in $(seq 90 120); do
    [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ] || break
  done
  Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp > "$_valdora_services_dir/xvfb.log" 2>&1 &
  _valdora_pids+=($!)
  export DISPLAY=":$display"
  for _ in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X$display" ] && break
    sleep 0.05
  done
  # A window manager makes window activation behave as on a desktop.
  openbox > "$_valdora_services_dir/openbox.log" 2>&1 &
  _valdora_pids+=($!)
  sleep 0.3
}

_start_print_server() {
  local dir="$_valdora_services_dir/cups"
  mkdir -p "$dir"/{spool,tmp,cache,state,log,ppd,out}
  chmod 0777 "$dir/out" "$dir/tmp"
  chmod 0755 "$dir"
  cat > "$dir/cupsd.conf" <<CONF
Listen $dir/cups.sock
LogLevel warn
# Every request in log/access_log, so that tests can count what was asked.
AccessLogLevel all
WebInterface No
Browsing No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
  cat > "$dir/cups-files.conf" <<CONF
ServerRoot $dir
RequestRoot $dir/spool
TempDir $dir/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
FileDevice Yes
Sandboxing Relaxed
CONF
  cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" > "$dir/log/cupsd.out" 2>&1 &
  _valdora_pids+=($!)
  export CUPS_SERVER="$dir/cups.sock"
  export VALDORA_TEST_PRINT_OUT="$dir/out"
  for _ in $(seq 1 100); do
    lpstat -r 2>/dev/null | grep -q 'is running' && break
    sleep 0.05
  done
  lpstat -r | grep -q 'is running' || { echo "private print server did not start" >&2; cat "$dir/log/error_log" >&2 || true; return 1; }
  _add_test_queues "$dir"
}

# Two queues: a PDF queue that keeps what Qt sends, and a second one with
# other papers and bins so that switching printers is tested on real queues.
_add_test_queues() {
  local dir=$1
  lpadmin -p ValdoraPDF -E -v "file:$dir/out/ValdoraPDF.pdf" \
    -P /usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd 2>/dev/null
  if [ -f "$_valdora_root/tests/fixtures/second-printer.ppd" ]; then
    lpadmin -p ValdoraSecond -E -v "file:/dev/null" -P "$_valdora_root/tests/fixtures/second-printer.ppd" 2>/dev/null
  fi
  lpadmin -d ValdoraPDF
}

start_test_services() {
  _valdora_services_dir=$(mktemp -d /tmp/valdora-test.XXXXXX)
  chmod 0755 "$_valdora_services_dir"
  _start_screen
  _start_print_server
}

stop_test_services() {
  local pid
  for pid in "${_valdora_pids[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  wait 2>/dev/null || true
  [ -n "$_valdora_services_dir" ] && rm -rf "$_valdora_services_dir"
}
