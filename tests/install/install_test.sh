#!/usr/bin/env bash
# The program as a user gets it: installed with cmake --install into a
# staging root, and packaged as a .deb by CPack. One step per call:
#
#   install_test.sh stage BUILD ROOT          install BUILD under ROOT/usr
#   install_test.sh layout ROOT ID VERSION    files where a desktop expects them
#   install_test.sh validate ROOT ID          the desktop entry and the AppStream data
#   install_test.sh calc ROOT                 the installed orvanta-calc
#   install_test.sh program ROOT PROBE        the installed orvanta finds its help
#   install_test.sh input-contexts ROOT PROBE Qt's IBus and fcitx5 plugins load
#   install_test.sh package BUILD ID VERSION  the .deb, its fields and files
#   install_test.sh cleanup ROOT
set -uo pipefail

failures=0
fail()
{
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
pass() { echo "ok: $*"; }
finish()
{
    [ "$failures" -eq 0 ] || {
        echo "$failures check(s) failed" >&2
        exit 1
    }
}

# Width and height from a PNG's IHDR chunk, "W H"; nothing when the file is
# not a PNG.
png_size()
{
    local bytes
    read -r -a bytes < <(od -An -tu1 -w24 -N24 "$1")
    [ "${bytes[*]:0:8}" = "137 80 78 71 13 10 26 10" ] || return 0
    echo "$(((bytes[16] << 24) | (bytes[17] << 16) | (bytes[18] << 8) | bytes[19])) \
$(((bytes[20] << 24) | (bytes[21] << 16) | (bytes[22] << 8) | bytes[23]))"
}

help_docs=(help_0.rtf help_1.rtf help_2.rtf help_3.rtf 계산서작성요령.rtf 프로그램사용법.rtf)
icon_sizes=(48 128 256)

# LD_PRELOAD for the probe library: under AddressSanitizer the sanitizer's
# runtime has to be loaded first, so it leads.
preload_for()
{
    local asan
    asan=$(ldd "$1" | awk '/libasan\.so/ { print $3; exit }')
    echo "${asan:+$asan:}$1"
}

# Runs an installed program with the probe; sets run_status and run_out.
run_probed()
{
    local program=$1 probe mode=$3 work
    probe=$(realpath -e "$2") || {
        run_status=127 run_out="no probe library $2"
        return
    }
    work=$(mktemp -d)
    # From an unrelated folder: the documents must come from where the
    # program lies, not from the working directory.
    # The preload is for the program, not for timeout. Its own data folder,
    # so that work another run left unsaved is not offered here.
    run_out=$(cd "$work" && QT_QPA_PLATFORM=offscreen ORVANTA_PROBE=$mode XDG_DATA_HOME="$work/data" \
        timeout 60 env LD_PRELOAD="$(preload_for "$probe")" "$program" 2>"$work/stderr" </dev/null)
    run_status=$?
    if [ "$run_status" -ne 0 ] && [ -s "$work/stderr" ]; then
        echo "--- standard error of $program:" >&2
        cat "$work/stderr" >&2
    fi
    rm -rf "$work"
}

step_stage()
{
    local build=$1 root=$2
    rm -rf "$root"
    cmake --install "$build" --prefix "$root/usr" >/dev/null || fail "cmake --install $build"
    finish
}

step_layout()
{
    local root=$1 id=$2 version=$3
    local usr=$root/usr share=$root/usr/share

    for program in orvanta orvanta-calc; do
        [ -x "$usr/bin/$program" ] || fail "bin/$program is not an executable"
    done
    local bin_files
    bin_files=$(cd "$usr/bin" && ls -A | tr '\n' ' ')
    [ "$bin_files" = "orvanta orvanta-calc " ] || fail "bin/ holds '$bin_files', not the two programs alone"

    for doc in "${help_docs[@]}"; do
        [ "$(head -c 5 "$share/orvanta/$doc" 2>/dev/null)" = '{\rtf' ] || fail "share/orvanta/$doc is not an RTF document"
    done
    [ -f "$share/orvanta/SdiFo.ini" ] && [ ! -s "$share/orvanta/SdiFo.ini" ] ||
        fail "share/orvanta/SdiFo.ini is not there empty"

    local desktop=$share/applications/$id.desktop metainfo=$share/metainfo/$id.metainfo.xml
    [ -f "$desktop" ] || fail "no share/applications/$id.desktop"
    [ -f "$metainfo" ] || fail "no share/metainfo/$id.metainfo.xml"
    grep -qx "Icon=$id" "$desktop" || fail "the desktop entry does not name the icon $id"
    grep -qx "Exec=orvanta %f" "$desktop" || fail "the desktop entry does not pass the file it opens (%f)"
    grep -qx "MimeType=application/x-orvanta;" "$desktop" || fail "the desktop entry does not declare application/x-orvanta"
    grep -q '<mime-type type="application/x-orvanta">' "$share/mime/packages/$id.xml" 2>/dev/null ||
        fail "no shared-mime-info definition share/mime/packages/$id.xml"
    local exec
    exec=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
    [ -n "$exec" ] && [ -x "$usr/bin/$exec" ] || fail "the desktop entry runs '$exec', which is not installed"
    grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
        fail "the metadata does not launch $id.desktop"
    # The newest release comes first and must be the version being built.
    local newest
    newest=$(grep -m 1 -o '<release version="[^"]*"' "$metainfo" | cut -d'"' -f2)
    [ "$newest" = "$version" ] || fail "the newest release in the metadata is '$newest', the project is $version"

    [ -f "$usr/lib/orvanta/orvanta-calc-pdf.so" ] || fail "no lib/orvanta/orvanta-calc-pdf.so, orvanta-calc's PDF output"
    for page in orvanta orvanta-calc; do
        grep -q '^\.TH ' <<<"$(gzip -dc "$share/man/man1/$page.1.gz" 2>/dev/null)" || fail "no manual page $page(1)"
    done
    for program in orvanta orvanta-calc; do
        [ "$("$usr/bin/$program" --version)" = "$program $version" ] || fail "$program --version does not say $version"
    done

    local svg=$share/icons/hicolor/scalable/apps/$id.svg
    grep -q '<svg' "$svg" 2>/dev/null || fail "no scalable icon $id.svg"
    for size in "${icon_sizes[@]}"; do
        local png=$share/icons/hicolor/${size}x${size}/apps/$id.png
        [ "$(png_size "$png" 2>/dev/null)" = "$size $size" ] || fail "$png is not a ${size}×${size} PNG"
    done
    finish
    pass "layout of $usr"
}

step_validate()
{
    local root=$1 id=$2 out
    # Hints too: it prints nothing for a clean entry.
    out=$(desktop-file-validate "$root/usr/share/applications/$id.desktop" 2>&1) || fail "desktop-file-validate failed"
    [ -z "$out" ] || fail "desktop-file-validate: $out"

    # validate-tree also checks that the metadata's desktop entry and icon
    # are installed beside it.
    for command in "validate --no-net $root/usr/share/metainfo/$id.metainfo.xml" "validate-tree --no-net $root"; do
        # shellcheck disable=SC2086 # the command is split into its words on purpose
        out=$(appstreamcli $command 2>&1)
        local status=$?
        echo "appstreamcli $command:"
        echo "$out"
        [ "$status" -eq 0 ] || fail "appstreamcli $command ended with status $status"
        ! grep -Eq '^(E|W):' <<<"$out" || fail "appstreamcli $command reports errors or warnings"
    done
    # The MIME definition, compiled as the desktop compiles it: the glob and
    # the magic match on the format name both reach the database.
    local mime
    mime=$(mktemp -d)
    mkdir -p "$mime/mime/packages"
    cp "$root/usr/share/mime/packages/$id.xml" "$mime/mime/packages/"
    out=$(update-mime-database -V "$mime/mime" 2>&1) || fail "update-mime-database: $out"
    ! grep -qi 'error\|warning' <<<"$out" || fail "update-mime-database: $out"
    grep -q ':application/x-orvanta:\*\.orvanta$' "$mime/mime/globs2" 2>/dev/null || fail "no glob *.orvanta in the database"
    grep -aq '"orvanta-taxpayer"' "$mime/mime/magic" 2>/dev/null || fail "no magic match on the format name in the database"
    rm -rf "$mime"
    finish
    pass "validators"
}

step_calc()
{
    local calc=$1/usr/bin/orvanta-calc out

    out=$("$calc" statement "" 10,000,000 30,000,000 10,000,000 "" "" 1,100,000 20,000,000 3,000,000) ||
        fail "statement ended with an error"
    for line in $'(17)\t18 %' $'(20)\t10,158,000' $'(29)\t9,660,000' $'(30)\t10,158,000' $'④\t498,000' \
        $'종합소득산출세액\t10,158,000'; do
        grep -qxF "$line" <<<"$out" || fail "statement: no line '$line' in: $out"
    done

    local csv expected
    csv=$'소득구분,상호(성명),사업자등록번호,이자소득금액,원천징수세액\n'
    csv+=$'13,한빛저축은행,123-81-45678,"12,500,000","1,925,000"\n'
    csv+=$'11,김민수,750101-1234567,3000000,\n'
    csv+=$'13,우리은행 본점,202-81-12345,8400000,1176000\n'
    expected=$'11\t1\t김민수\t750101-1234567\t3,000,000\t0\n'
    expected+=$'13\t1\t한빛저축은행\t123-81-45678\t12,500,000\t1,925,000\n'
    expected+=$'13\t2\t우리은행 본점\t202-81-12345\t8,400,000\t1,176,000\n'
    expected+=$'\t\t소계\t\t20,900,000\t3,101,000\n'
    expected+=$'\t\t합계\t\t23,900,000\t3,101,000'
    out=$("$calc" interest <<<"$csv")
    [ "$out" = "$expected" ] || fail "interest register: got
$out"

    # A taxpayer file made from the register gives the same register back.
    local work
    work=$(mktemp -d)
    "$calc" save "$work/w.orvanta" --interest - "" 10,000,000 30,000,000 10,000,000 "" "" 1,100,000 20,000,000 3,000,000 \
        <<<"$csv" || fail "save ended with an error"
    [ "$("$calc" interest "$work/w.orvanta")" = "$expected" ] || fail "interest from the taxpayer file differs"
    grep -qxF $'종합소득산출세액\t10,158,000' <<<"$("$calc" statement --file "$work/w.orvanta")" ||
        fail "statement --file does not give the tax"
    rm -rf "$work"

    # A negative amount off line 7 is refused: status 2, nothing on stdout.
    out=$("$calc" statement "" -5 "" "" "" "" "" "" "" 2>/dev/null)
    local status=$?
    [ "$status" -eq 2 ] && [ -z "$out" ] || fail "a negative line 2 gave status $status and '$out'"

    # A PDF needs Qt's platform plugins and the fonts from the installed program.
    local pdf
    pdf=$(mktemp --suffix=.pdf)
    "$calc" statement --pdf "$pdf" "" "" 50,000,000 "" "" "" "" "" "" >/dev/null || fail "--pdf ended with an error"
    [ "$(head -c 5 "$pdf")" = "%PDF-" ] || fail "--pdf wrote no PDF"
    rm -f "$pdf"
    finish
    pass "installed orvanta-calc"
}

step_program()
{
    local root=$1 probe=$2
    local program=$root/usr/bin/orvanta

    run_probed "$program" "$probe" help
    echo "$run_out" | head -n 5
    [ "$run_status" -eq 0 ] || fail "the installed program ended with status $run_status: $run_out"
    grep -q '^probe: message box' <<<"$run_out" && fail "a message box appeared"
    # The heading and first words of help_0.rtf.
    for phrase in "2005 Orvanta(금융소득자용) 사용법" "이 프로그램은 이자소득과 배당소득(금융소득)이 있는 분의"; do
        grep -qF "$phrase" <<<"$run_out" || fail "the help panel does not show '$phrase'"
    done

    # The same program away from share/orvanta tells the user that the guide
    # is missing, which the probe reports: so the run above read the
    # installed documents.
    local alone
    alone=$(mktemp -d)
    cp "$program" "$alone/"
    run_probed "$alone/orvanta" "$probe" help
    rm -rf "$alone"
    [ "$run_status" -eq 3 ] && grep -qF "probe: message box: 작성요령 파일을 찾을 수가 없습니다." <<<"$run_out" ||
        fail "without its documents the program did not report them missing (status $run_status): $run_out"
    finish
    pass "installed orvanta shows help_0.rtf from share/orvanta"
}

step_input_contexts()
{
    local root=$1 probe=$2
    run_probed "$root/usr/bin/orvanta" "$probe" input-contexts
    echo "$run_out"
    [ "$run_status" -eq 0 ] || fail "the probe ended with status $run_status"
    grep -Eq '^plugin: libibusplatforminputcontextplugin\.so keys=([^ ]*,)?ibus(,[^ ]*)? loads$' <<<"$run_out" ||
        fail "Qt's IBus input context plugin is missing or does not load"
    grep -Eq '^plugin: libfcitx5platforminputcontextplugin\.so keys=([^ ]*,)?fcitx5(,[^ ]*)? loads$' <<<"$run_out" ||
        fail "the fcitx5 input context plugin (fcitx5-frontend-qt6) is missing or does not load"
    finish
    pass "input method plugins"
}

step_package()
{
    local build=$1 id=$2 version=$3
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    # C.UTF-8 whatever the caller's locale, as make deb: under the POSIX
    # locale CPack cannot read 계산서작성요령.rtf into the archive, and tar
    # lists the Korean names in octal escapes.
    export LC_ALL=C.UTF-8

    # A strict umask, as a careful root's shell has, must not reach the
    # package.
    if ! (umask 077 && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1); then
        cat "$work/cpack.log" >&2
        fail "cpack"
        finish
    fi
    local arch deb
    arch=$(dpkg --print-architecture)
    deb=$work/orvanta_${version}_$arch.deb
    [ -f "$deb" ] || {
        fail "no $(basename "$deb") in: $(ls "$work")"
        finish
    }

    dpkg-deb -f "$deb" Package Version Architecture Section Maintainer Depends Recommends Suggests
    [ "$(dpkg-deb -f "$deb" Package)" = orvanta ] || fail "Package is not orvanta"
    [ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "Version is not $version"
    [ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "no Maintainer"
    grep -q '금융소득자용' <<<"$(dpkg-deb -f "$deb" Description)" || fail "the description does not give the Korean name"

    # Every package named in Depends, alternatives included.
    local depends
    depends=" $(dpkg-deb -f "$deb" Depends | sed 's/([^)]*)//g; s/[,|]/ /g' | tr -s ' ') "
    for package in libc6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 fonts-nanum fcitx5-frontend-qt6 \
        qt6-translations-l10n; do
        [[ "$depends" == *" $package "* ]] || fail "Depends does not name $package"
    done
    [ "$(dpkg-deb -f "$deb" Recommends)" = qt6-wayland ] || fail "Recommends is not qt6-wayland"

    local listing
    listing=$(dpkg-deb -c "$deb" | awk '{ print $1, $6 }')
    for path in ./usr/bin/orvanta ./usr/bin/orvanta-calc; do
        grep -qxF -- "-rwxr-xr-x $path" <<<"$listing" || fail "no executable $path"
    done
    for path in "${help_docs[@]/#/./usr/share/orvanta/}" ./usr/share/orvanta/SdiFo.ini \
        "./usr/share/applications/$id.desktop" "./usr/share/metainfo/$id.metainfo.xml" \
        "./usr/share/mime/packages/$id.xml" \
        "./usr/share/icons/hicolor/scalable/apps/$id.svg" "./usr/share/icons/hicolor/48x48/apps/$id.png" \
        "./usr/share/icons/hicolor/256x256/apps/$id.png" ./usr/share/man/man1/orvanta.1.gz \
        ./usr/share/man/man1/orvanta-calc.1.gz ./usr/lib/orvanta/orvanta-calc-pdf.so; do
        grep -qxF -- "-rw-r--r-- $path" <<<"$listing" || fail "no file $path"
    done
    local closed
    closed=$(awk '$1 ~ /^d/ && $1 != "drwxr-xr-x" { print $1, $2 }' <<<"$listing")
    [ -z "$closed" ] || fail "folders not 0755: $closed"
    local strays
    strays=$(awk '{ print $2 }' <<<"$listing" |
        grep -v -e '^\./$' -e '^\./usr/$' -e '^\./usr/bin/' -e '^\./usr/share/' -e '^\./usr/lib/$' -e '^\./usr/lib/orvanta/')
    [ -z "$strays" ] || fail "files outside /usr/bin, /usr/share and /usr/lib/orvanta: $strays"
    finish
    pass "$(basename "$deb")"
}

step="${1:-}"
shift || true
case "$step" in
stage | layout | validate | calc | program | package) "step_$step" "$@" ;;
input-contexts) step_input_contexts "$@" ;;
cleanup) rm -rf "${1:?}" ;;
*)
    echo "usage: $0 stage|layout|validate|calc|program|input-contexts|package|cleanup ..." >&2
    exit 2
    ;;
esac
