# fish completion for p330ctl. Commands, keys and values come from the p330ctl being completed
# ('p330ctl complete'), so they are always the ones it knows.

function __p330ctl_ask
    set -l program (commandline -opc)[1]
    $program complete $argv 2>/dev/null
end

# The command: the first word that is neither an option nor an option's value.
function __p330ctl_command
    set -l words (commandline -opc)
    set -l skip 1
    for w in $words
        if test $skip = 1
            set skip 0
            continue
        end
        switch $w
            case --device --data-dir --trace --profile
                set skip 1
            case '-*'
            case '*'
                echo $w
                return 0
        end
    end
    return 1
end

function __p330ctl_using
    set -l command (__p330ctl_command)
    test "$command" = "$argv[1]"
end

function __p330ctl_set_words
    set -l current (commandline -ct)
    if string match -q -- '*=*' $current
        set -l key (string split -m 1 = -- $current)[1]
        for value in (__p330ctl_ask values $key)
            echo "$key=$value"
        end
    else
        for key in (__p330ctl_ask keys)
            echo "$key="
        end
    end
end

complete -c p330ctl -f
complete -c p330ctl -l device -x -a 'auto sim sim: /dev/hidraw' -d 'the mouse, or the simulated one'
complete -c p330ctl -l data-dir -x -a '(__fish_complete_directories)' -d 'every file in one folder'
complete -c p330ctl -l trace -r -F -d 'the transfers, into a file or -'
complete -c p330ctl -l profile -x -a '0 1 2 3 4 5' -d 'a profile of the list'
complete -c p330ctl -l json -d 'JSON output'
complete -c p330ctl -l apply -d 'send the profile to the mouse'
complete -c p330ctl -l pointer -d 'also the desktop pointer settings'
complete -c p330ctl -l help
complete -c p330ctl -l version
complete -c p330ctl -n 'not __p330ctl_command' -a '(__p330ctl_ask commands)'
complete -c p330ctl -n '__p330ctl_using help' -a '(__p330ctl_ask commands) keys'
complete -c p330ctl -n '__p330ctl_using get' -a '(__p330ctl_ask keys)'
complete -c p330ctl -n '__p330ctl_using set' -a '(__p330ctl_set_words)'
complete -c p330ctl -n '__p330ctl_using apply; or __p330ctl_using show' -F
complete -c p330ctl -n '__p330ctl_using export-text; or __p330ctl_using import-text' -F
complete -c p330ctl -n '__p330ctl_using import-windows' -a '(__fish_complete_directories)'
