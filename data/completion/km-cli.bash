# bash completion for keltor-cli and morvane-cli. The verbs and their options are read from the tools'
# own --help, so a verb added to a tool is completed without a change here.

_km_cli_words() {  # TOOL [VERB]: the verbs (without VERB) or the options of VERB
  local tool=$1 verb=${2:-}
  if [[ -z $verb ]]; then
    "$tool" --help 2>/dev/null | sed -n '/^Subcommands:/,/^$/{s/^  \([a-z0-9][a-z0-9-]*\).*/\1/p}'
  else
    "$tool" "$verb" --help 2>/dev/null | sed -n '/^Options:/,/^$/{s/^  \(-[^ ]*\).*/\1/p}' | tr ',' '\n'
  fi
}

_km_cli() {
  local cur prev verb="" i
  cur=${COMP_WORDS[COMP_CWORD]}
  prev=${COMP_WORDS[COMP_CWORD-1]}
  for ((i = 1; i < COMP_CWORD; i++)); do
    if [[ ${COMP_WORDS[i]} != -* ]]; then verb=${COMP_WORDS[i]}; break; fi
  done
  if [[ -z $verb ]]; then
    COMPREPLY=($(compgen -W "$(_km_cli_words "${COMP_WORDS[0]}") --help" -- "$cur"))
    return
  fi
  case $prev in
    --format) COMPREPLY=($(compgen -W "xy gsas fullprof xfit csd udf pdf3" -- "$cur")); return ;;
    --scaling) COMPREPLY=($(compgen -W "linear sqrt log" -- "$cur")); return ;;
    --zmode) COMPREPLY=($(compgen -W "0 1 2" -- "$cur")); return ;;
    --radiation) COMPREPLY=($(compgen -W "Ag Mo Cu Co Fe Cr" -- "$cur")); return ;;
    --size|--range|--ranges|--begin|--end|--target|--factor|--max|--value|--line|--count|--kv|--ma|--wavelength|--title|--comment|--user|--factors|--source-range)
      return ;;
  esac
  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "$(_km_cli_words "${COMP_WORDS[0]}" "$verb")" -- "$cur"))
  else
    COMPREPLY=($(compgen -f -- "$cur"))
    compopt -o filenames 2>/dev/null
  fi
}

complete -F _km_cli keltor-cli morvane-cli
