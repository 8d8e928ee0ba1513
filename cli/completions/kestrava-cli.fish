# SPDX-License-Identifier: GPL-3.0-or-later
# fish completion for kestrava-cli: its options, the words each option's value
# may be, and file names for the paths. One line per option; -x marks an
# option whose value is no file name, -a lists the words its value may be.

# The date formats of --prefix-date and --postfix-date; a word holding a space is quoted.
set -l dates "ddmmyy dd-mm-yy ddmmyyyy dd-mm-yyyy mmddyy mm-dd-yy mmddyyyy mm-dd-yyyy yyyy-mm-dd yyyymmdd 'yyyy-mm-dd hh.mm.ss'"

complete -c kestrava-cli -s x -l apply -d 'Rename the files'
complete -c kestrava-cli -l undo -d 'Undo the newest run not yet undone'
complete -c kestrava-cli -l remove-tildes -d 'Remove tildes from the names'
complete -c kestrava-cli -l spaces -x -a 'ignore remove underscores dashes dots' -d 'What becomes of spaces'
complete -c kestrava-cli -l underscores -x -a 'ignore remove spaces dashes dots' -d 'What becomes of underscores'
complete -c kestrava-cli -l case -x -a 'ignore capitalise lower upper' -d 'Letter case'
complete -c kestrava-cli -l find -x -d 'Text to find, letter case ignored unless --match-case'
complete -c kestrava-cli -l regex -d 'Read --find as a Perl-compatible regular expression'
complete -c kestrava-cli -l match-case -d 'Letter case counts in --find'
complete -c kestrava-cli -l when-taken -x -a 'leave number' -d 'What becomes of a file whose new name is taken'
complete -c kestrava-cli -l replace -x -d 'What replaces the found text'
complete -c kestrava-cli -l trim -x -d 'Trim names to N characters, 8 to 999'
complete -c kestrava-cli -l prefix -x -d 'Text in front of the names'
complete -c kestrava-cli -l prefix-counter -x -d 'Four-digit counter in front, from START'
complete -c kestrava-cli -l prefix-date -x -a "$dates" -d "Today's date in front"
complete -c kestrava-cli -l postfix -x -d 'Text after the names'
complete -c kestrava-cli -l postfix-counter -x -d 'Four-digit counter after the names, from START'
complete -c kestrava-cli -l postfix-date -x -a "$dates" -d "Today's date after the names"
complete -c kestrava-cli -l date-from -x -a 'today modified taken' -d 'Where the date stamps take their date from'
complete -c kestrava-cli -l date-fallback -d "Use a file's modified date when it has no date taken"
complete -c kestrava-cli -l template -x -d 'Make the base name from a template of fields in braces'
complete -c kestrava-cli -s r -l recursive -d 'With a folder: also every folder below'
complete -c kestrava-cli -l include -x -d 'Only names matching these patterns, separated by ;'
complete -c kestrava-cli -l skip-read-only -d 'Leave read-only files alone'
complete -c kestrava-cli -s 0 -l null -d 'Read NUL-separated names from standard input'
complete -c kestrava-cli -l json -d 'One JSON object per line'
complete -c kestrava-cli -l show-fields -d "With --json: each file's fields as a template reads them"
complete -c kestrava-cli -s h -l help -d 'Show the options and their defaults'
complete -c kestrava-cli -l version -d 'Show the version'
