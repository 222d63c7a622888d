# bash completion for kvltool: subcommands, their options, and the files each one takes.
_kvltool() {
    local cur prev words cword
    _init_completion || return

    local command="" word
    for word in "${words[@]:1:cword-1}"; do
        case $word in
            make | dump | check | measure | paths) command=$word && break ;;
        esac
    done

    local options
    case $command in
        "") options="-h --help --version" ;;
        make) options="-h --help --dims --exit --id --profile -o --output --force --from-map --quantum --north --gap" ;;
        dump) options="-h --help --json --grid" ;;
        check) options="-h --help --exits --quantum --north --gap" ;;
        measure) options="-h --help --json --quantum --north --gap" ;;
        paths) options="-h --help --json --profile" ;;
    esac

    case $prev in
        --profile | -o | --output) _filedir && return ;;
        --north) mapfile -t COMPREPLY < <(compgen -W "+X -X +Y -Y" -- "$cur") && return ;;
        --dims | --exit | --id | --quantum | --gap) return ;;
    esac

    if [[ $cur == -* || -z $command ]]; then
        local candidates=$options
        [[ -z $command && $cur != -* ]] && candidates="make dump check measure paths"
        mapfile -t COMPREPLY < <(compgen -W "$candidates" -- "$cur")
        return
    fi
    case $command in
        make | measure) _filedir map ;;
        dump) _filedir '@(kvl|KVL)' ;;
        check) _filedir -d ;;
    esac
}
complete -F _kvltool kvltool
