# bash completion for quovant: its subcommands, their options and the rules.
_quovant()
{
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    if [ "$prev" = --rule ]; then
        mapfile -t COMPREPLY < <(compgen -W "classic char sound tone" -- "$cur")
        return
    fi
    if [ "$COMP_CWORD" -eq 1 ]; then
        mapfile -t COMPREPLY < <(compgen -W "next info path play add remove --rule --four --help" -- "$cur")
        return
    fi
    case $prev in
    --order) mapfile -t COMPREPLY < <(compgen -W "rule common best" -- "$cur"); return ;;
    --level) mapfile -t COMPREPLY < <(compgen -W "easy normal hard" -- "$cur"); return ;;
    esac
    case ${COMP_WORDS[1]} in
    next)
        if [ "$prev" = --used ]; then
            mapfile -t COMPREPLY < <(compgen -f -- "$cur")
        else
            mapfile -t COMPREPLY < <(compgen -W "--all --used --order --json --rule --four" -- "$cur")
        fi
        ;;
    play) mapfile -t COMPREPLY < <(compgen -W "--rule --four --level --seed --json" -- "$cur") ;;
    remove)
        # The player's own idioms, from their file.
        local file=${XDG_DATA_HOME:-$HOME/.local/share}/quovant/idioms.txt
        [ -r "$file" ] && mapfile -t COMPREPLY < <(compgen -W "$(awk '{ print $1 }' "$file")" -- "$cur")
        ;;
    info | path) mapfile -t COMPREPLY < <(compgen -W "--json --rule --four" -- "$cur") ;;
    --rule | --four | classic | char | sound | tone)
        mapfile -t COMPREPLY < <(compgen -W "--rule --four" -- "$cur") ;;
    esac
}
complete -F _quovant quovant
