# A private CUPS scheduler for the printing tests: its own configuration, spool, logs and socket in
# a folder of the test's own; the machine's CUPS is not touched. Needs root (cupsd, as CI runs it).
#
# start_cups DIR: starts cupsd in DIR with a raw queue "Edoklad" as the default printer whose
# backend keeps each job's document as DIR/jobs/<job id>.pdf and its title as <job id>.title.
# Exports CUPS_SERVER, so lpadmin, lpstat and the program use this scheduler only.
start_cups() {
  local dir=$1
  mkdir -p "$dir"/{conf,spool,cache,state,tmp,log,jobs,bin/backend,bin/filter}
  # cupsd starts its backends through daemon/cups-exec; a raw queue needs no filter.
  ln -s /usr/lib/cups/daemon "$dir/bin/daemon"
  cat >"$dir/bin/backend/keep" <<BACKEND
#!/bin/sh
# Without arguments CUPS asks which devices this backend offers.
[ \$# -eq 0 ] && { echo 'direct keep "Unknown" "Keeps each document"'; exit 0; }
printf '%s' "\$3" >"$dir/jobs/\$1.title"
if [ -n "\$6" ]; then cat "\$6"; else cat; fi >"$dir/jobs/\$1.part" || exit 1
mv "$dir/jobs/\$1.part" "$dir/jobs/\$1.pdf"
BACKEND
  chmod 0700 "$dir/bin/backend/keep" # mode 0700: run as root, so it may write here
  cat >"$dir/conf/cupsd.conf" <<CONF
Listen $dir/cups.sock
LogLevel info
Browsing Off
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
CONF
  cat >"$dir/conf/cups-files.conf" <<CONF
ServerRoot $dir/conf
RequestRoot $dir/spool
CacheDir $dir/cache
StateDir $dir/state
TempDir $dir/tmp
ServerBin $dir/bin
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
CONF
  cupsd -f -c "$dir/conf/cupsd.conf" -s "$dir/conf/cups-files.conf" >"$dir/log/cupsd.out" 2>&1 &
  PIDS+=($!)
  export CUPS_SERVER="$dir/cups.sock"
  for _ in $(seq 100); do lpstat -r >/dev/null 2>&1 && break; sleep 0.1; done
  lpstat -r >/dev/null 2>&1 || fail "cupsd did not start: $(cat "$dir/log/cupsd.out" "$dir/log/error_log" 2>/dev/null)"
  # A busy machine can make a scheduler that answers lpstat still refuse lpadmin once.
  admin lpadmin -p Edoklad -v keep:/ -E -m raw || fail "lpadmin could not add the queue: $ADMIN_ERROR"
  admin lpadmin -d Edoklad || fail "lpadmin could not make the queue the default: $ADMIN_ERROR"
}

# admin COMMAND...: runs COMMAND up to 10 times, half a second apart, until it succeeds; its last
# error output is left in ADMIN_ERROR.
admin() {
  for _ in $(seq 10); do
    ADMIN_ERROR=$("$@" 2>&1 >/dev/null) && return 0
    sleep 0.5
  done
  return 1
}

# wait_job DIR ID [SECONDS]: succeeds once job ID's document has been kept.
wait_job() {
  local seconds=${3:-20}
  for _ in $(seq $((seconds * 10))); do
    [ -f "$1/jobs/$2.pdf" ] && return 0
    sleep 0.1
  done
  return 1
}

# add_text_only_queue DIR NAME: a queue whose printer takes plain text only, so that the spooler
# takes a job and the PDF document's bytes and refuses the document only at its end, the job
# left held ("Unsupported document-format"). No filter is installed that could convert a PDF.
add_text_only_queue() {
  cat >"$1/text-only.ppd" <<'PPD'
*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "TEXTONLY.PPD"
*Manufacturer: "Edoklad"
*Product: "(Text only)"
*ModelName: "Text only"
*ShortNickName: "Text only"
*NickName: "Text only"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: False
*DefaultColorSpace: Gray
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*cupsFilter: "text/plain 0 -"
*OpenUI *PageSize: PickOne
*DefaultPageSize: A4
*PageSize A4/A4: ""
*CloseUI: *PageSize
*DefaultImageableArea: A4
*ImageableArea A4: "0 0 595 842"
*DefaultPaperDimension: A4
*PaperDimension A4: "595 842"
PPD
  admin lpadmin -p "$2" -v keep:/ -E -P "$1/text-only.ppd" || fail "lpadmin could not add the queue $2: $ADMIN_ERROR"
}
