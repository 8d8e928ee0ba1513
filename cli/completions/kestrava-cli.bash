# SPDX-License-Identifier: GPL-3.0-or-later
# bash completion for kestrava-cli: its options, the words each option's value
# may be, and file names for the paths.

# The date formats of --prefix-date and --postfix-date; a word holding a space is quoted.
_kestrava_cli_dates="ddmmyy dd-mm-yy ddmmyyyy dd-mm-yyyy mmddyy mm-dd-yy mmddyyyy mm-dd-yyyy \
yyyy-mm-dd yyyymmdd 'yyyy-mm-dd hh.mm.ss'"

# The options that take a value, each with the words its value may be; an
# empty list stands for free text or a number, where nothing is offered.
# A new option with a value is one more line here.
declare -gA _kestrava_cli_values=(
    [--spaces]="ignore remove underscores dashes dots"
    [--underscores]="ignore remove spaces dashes dots"
    [--case]="ignore capitalise lower upper"
    [--when-taken]="leave number"
    [--find]=""
    [--replace]=""
    [--trim]=""
    [--prefix]=""
    [--prefix-counter]=""
    [--prefix-date]=$_kestrava_cli_dates
    [--postfix]=""
    [--postfix-counter]=""
    [--postfix-date]=$_kestrava_cli_dates
    [--include]=""
    [--date-from]="today modified taken"
    [--template]=""
)

# The options without a value.
_kestrava_cli_switches="-x --apply --undo --remove-tildes --regex --match-case -r --recursive --skip-read-only
-0 --null --json --show-fields --date-fallback -h --help --version"

_kestrava_cli()
{
    local cur=${COMP_WORDS[COMP_CWORD]}
    local prev=${COMP_WORDS[COMP_CWORD - 1]}
    local option="" given=""
    # bash splits "--case=up" into "--case", "=" and "up" where COMP_WORDBREAKS
    # holds "=", its default; otherwise the word comes whole.
    if [[ $cur == --*=* ]]; then
        option=${cur%%=*}
        given=$option=
        cur=${cur#*=}
    elif [[ $cur == "=" ]]; then
        option=$prev
        cur=""
    elif [[ $prev == "=" && $COMP_CWORD -ge 2 ]]; then
        option=${COMP_WORDS[COMP_CWORD - 2]}
    elif [[ -n $prev && -v _kestrava_cli_values[$prev] ]]; then
        option=$prev
    fi

    COMPREPLY=()
    if [[ -n $option && -v _kestrava_cli_values[$option] ]]; then
        local words=${_kestrava_cli_values[$option]}
        [[ -n $words ]] && mapfile -t COMPREPLY < <(compgen -P "$given" -W "$words" -- "$cur")
        # A space in a word goes onto the command line escaped.
        COMPREPLY=("${COMPREPLY[@]// /\\ }")
        return 0
    fi
    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$_kestrava_cli_switches ${!_kestrava_cli_values[*]}" -- "$cur")
        return 0
    fi
    compopt -o filenames 2>/dev/null
    mapfile -t COMPREPLY < <(compgen -f -- "$cur")
    return 0
}

complete -F _kestrava_cli kestrava-cli
